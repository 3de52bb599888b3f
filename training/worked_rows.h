// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A worked step laid out for reading, as plain data: one table per phase of
// the step (forward pass, deltas, output weights, hidden weights), each with
// its column headers and what each one means, a one-line key, and every row
// with the computation that gives its result written out. The values are the
// step's own, never computed again; the window only rounds them for display.

#include "worked_step.h"

#include <cstdint>
#include <string>
#include <vector>

// One piece of a cell or of a worked line: a text, or a value shown rounded,
// rounded in parentheses when negative (a factor inside a product), or in full.
struct WorkedTerm {
    enum class Kind : std::uint8_t { Text, Value, Factor, Full };
    Kind kind = Kind::Text;
    std::string text;
    double value = 0;
};

struct WorkedColumn {
    std::string header;  // may hold "\n" where it is shown on two lines
    std::string tip;     // what the column is and how it is computed
};

struct WorkedRow {
    // One cell per column: empty text, a name, or a value (Kind::Value).
    std::vector<WorkedTerm> cells;
    // The row's computation with its numbers; empty where there is none.
    std::vector<WorkedTerm> line;
};

enum class WorkedPhase : std::uint8_t { Forward, Deltas, OutputWeights, HiddenWeights };

struct WorkedTable {
    WorkedPhase phase = WorkedPhase::Forward;
    std::string title;
    std::vector<WorkedColumn> columns;
    std::vector<WorkedRow> rows;
    std::string key;  // one line under the table
};

// The tables of `step` in the order they are taught: the forward pass, and
// for a function that learns the deltas (outputs first), the output weights
// and the hidden weights, each neuron's w0 first. `separator` writes η.
std::vector<WorkedTable> WorkedRows(const WorkedStep& step, char separator);

// A neuron's name in the tables: "Oculta 2", "Salida 1".
std::string WorkedNeuronName(StepLayer layer, int neuron);
