// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The names of the network's inputs and outputs: the headers the window has
// always shown, the name every view shows, and the rule a name follows: one
// line of at most 40 characters of UTF-8, so that it fits one line of a
// network file and a column's header. Duplicates are allowed.

#include "column_names.h"
#include "work_state.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The name shown for input i and output k (from 1): the state's own name
// where it has one that is not empty, the default otherwise.
std::string InputName(const WorkState& state, std::int32_t i);
std::string OutputName(const WorkState& state, std::int32_t k);

// Whether any of the first `inputs` and `outputs` names shown differs from
// its default: only then do names need saving.
bool HasOwnNames(const WorkState& state, std::int32_t inputs, std::int32_t outputs);

// A name the user typed. Throws ProgramError with the plain message when it
// is not valid UTF-8, holds a line break (CR, LF, VT, FF, U+0085, U+2028,
// U+2029), a tab or another control character, or has more than 40
// characters. An empty name asks for the default.
void CheckTypedName(std::string_view name);

// Column `column` of the pattern table (1..`inputs` the inputs, then the
// outputs) takes the name the user typed, once CheckTypedName passed it; an
// empty name gives it back its default.
void RenameColumn(WorkState& state, std::int32_t inputs, std::int32_t column, std::string_view typed);

// A name read from column `column` (from 1) of a CSV file's header.
struct HeaderName {
    std::string name;  // empty: the default name
    std::string note;  // what was changed, for the user; empty when nothing was
};

// The cell cut to its first line and then to 40 characters, blanks around it
// dropped, tabs and other control characters turned into spaces; a cell
// that is not valid UTF-8 gives the default name. The note says what was
// cut, changed or refused, naming the column.
HeaderName NameFromHeader(std::string_view cell, std::int32_t column);

// The names a CSV file's header row gives: cells 1..`inputs` the inputs',
// the rest the outputs'; the notes of the cells NameFromHeader changed, one
// line each.
struct HeaderRowNames {
    std::vector<std::string> inputs, outputs;
    std::string notes;
};
HeaderRowNames NamesFromHeaderRow(const std::vector<std::string>& cells, std::int32_t inputs);
