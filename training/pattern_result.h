// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the network answers for one pattern of the table, computed from a
// snapshot so that asking never changes the network: each output as
// Propagar gives it, and the iteration error the training run records.

#include "network_snapshot.h"
#include "pattern_set.h"
#include "work_state.h"

#include <cstdint>
#include <limits>
#include <vector>

struct PatternResult {
    std::vector<double> outputs;  // y_i, [i − 1]; NaN where the pass overflows
    // The iteration error in percent; NaN where it is not finite.
    double error = std::numeric_limits<double>::quiet_NaN();
};

// Pattern `pattern` (1..NumeroPatrones) of the table on the network in `snapshot`.
PatternResult EvaluatePattern(const NetworkSnapshot& snapshot, const WorkState& state, std::int32_t pattern);
// Pattern `pattern` (1..count) of either set.
PatternResult EvaluatePattern(const NetworkSnapshot& snapshot, const PatternSet& set, std::int32_t pattern);

// Whether a pattern's error lies within the "Error Máx<=" threshold, in
// percent: at most the threshold; NaN, an overflow, never does.
inline bool WithinThreshold(double error, double threshold) { return error <= threshold; }

// "N de M dentro del umbral" of a set: M its patterns, N those within the threshold.
struct ThresholdCount {
    std::int32_t within = 0;
    std::int32_t patterns = 0;
};
ThresholdCount CountWithinThreshold(const NetworkSnapshot& snapshot, const PatternSet& set, double threshold);

// The iteration error of outputs y against expected d (both [i − 1]); NaN
// where it is not finite.
double PatternError(const std::vector<double>& expected, const std::vector<double>& outputs);
