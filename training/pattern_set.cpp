// SPDX-License-Identifier: GPL-3.0-or-later
#include "pattern_set.h"

#include <algorithm>

// A count outside the table reads as the rows the table has.
PatternSet TrainingPatterns(const WorkState& state) {
    return {std::clamp(state.NumeroPatrones, 0, kMaxPatterns), &state.EntradasPatrones, &state.SalidasPatrones};
}

PatternSet TestPatterns(const WorkState& state) {
    return {std::clamp(state.TestPatternCount, 0, kMaxPatterns), &state.TestInputs, &state.TestOutputs};
}
