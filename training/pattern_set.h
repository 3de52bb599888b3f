// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One of the working state's two pattern tables, the training set or the
// test set ("Patrones de prueba"), for what treats both alike.

#include "work_state.h"

#include <cstdint>

struct PatternSet {
    std::int32_t count = 0;                 // patterns in rows 1..count
    const PatternTable* inputs = nullptr;   // [p][i], as EntradasPatrones
    const PatternTable* outputs = nullptr;  // [p][k], as SalidasPatrones
};

PatternSet TrainingPatterns(const WorkState& state);
PatternSet TestPatterns(const WorkState& state);
