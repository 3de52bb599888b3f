// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One of the working state's two pattern tables, the training set or the
// test set ("Patrones de prueba"), for what treats both alike.

#include "work_state.h"

#include <cstdint>

// Which set of the working state: the training table, or the test set.
enum class PatternSetKind : std::uint8_t { Training, Test };

// The members of one set, read or written alike: count, inputs, outputs.
template <typename State>
auto SetMembers(State& state, PatternSetKind set) {
    struct Parts {
        decltype((state.NumeroPatrones)) count;
        decltype((state.EntradasPatrones)) inputs;
        decltype((state.SalidasPatrones)) outputs;
    };
    if (set == PatternSetKind::Test) return Parts{state.TestPatternCount, state.TestInputs, state.TestOutputs};
    return Parts{state.NumeroPatrones, state.EntradasPatrones, state.SalidasPatrones};
}

struct PatternSet {
    std::int32_t count = 0;                 // patterns in rows 1..count
    const PatternTable* inputs = nullptr;   // [p][i], as EntradasPatrones
    const PatternTable* outputs = nullptr;  // [p][k], as SalidasPatrones
};

PatternSet TrainingPatterns(const WorkState& state);
PatternSet TestPatterns(const WorkState& state);
