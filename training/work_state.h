// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's working state: whether a network exists, the pattern table,
// the network's name and the stop request of a running training. The main
// window owns the one instance; the network itself lives in TRedNeuronal.

#include "network_description.h"
#include "unsaved_work.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// [p][i]: pattern p (1..100), column i (1..32); row 0 and column 0 unused.
using PatternTable = std::array<std::array<double, 33>, kMaxPatterns + 1>;

struct WorkState {
    bool RedCreada = false;
    std::int32_t NumeroPatrones = 0;
    PatternTable EntradasPatrones{};
    PatternTable SalidasPatrones{};
    // The test set: the same layout as the training table, never trained on.
    std::int32_t TestPatternCount = 0;
    PatternTable TestInputs{};
    PatternTable TestOutputs{};
    // The names of the inputs and outputs; empty for the default headers.
    std::vector<std::string> InputNames;
    std::vector<std::string> OutputNames;
    std::string NombreRed;
    bool PararEntrenamiento = false;
    // What is not in any file yet, for the question before it goes.
    UnsavedWork unsaved;
};

// What the window does when it is created: no network, no patterns, every
// cell of the tables 0, default names, nothing unsaved. The name and the
// stop request are left alone.
void ClearWorkState(WorkState& state);
