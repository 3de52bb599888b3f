// SPDX-License-Identifier: GPL-3.0-or-later
#include "pattern_result.h"

#include "iteration_error.h"
#include "output_map.h"
#include "program_error.h"

#include <cmath>
#include <span>

double PatternError(const std::vector<double>& expected, const std::vector<double>& outputs) {
    // IterationError reads its values from index 1, as the network's arrays.
    std::vector<double> d{0.0}, y{0.0};
    d.insert(d.end(), expected.begin(), expected.end());
    y.insert(y.end(), outputs.begin(), outputs.end());
    try {
        return IterationError(d, y, static_cast<std::int32_t>(outputs.size()));
    } catch (const ProgramError&) {
        return std::numeric_limits<double>::quiet_NaN();
    }
}

PatternResult EvaluatePattern(const NetworkSnapshot& snapshot, const WorkState& state, std::int32_t pattern) {
    return EvaluatePattern(snapshot, TrainingPatterns(state), pattern);
}

PatternResult EvaluatePattern(const NetworkSnapshot& snapshot, const PatternSet& set, std::int32_t pattern) {
    const auto p = static_cast<std::size_t>(pattern);
    const std::span<const double> x = std::span((*set.inputs)[p]).subspan(1, static_cast<std::size_t>(snapshot.inputs));
    PatternResult result;
    std::vector<double> expected;
    for (int i = 1; i <= snapshot.outputs; ++i) {
        result.outputs.push_back(OutputValue(snapshot, i, x));
        expected.push_back((*set.outputs)[p][static_cast<std::size_t>(i)]);
    }
    result.error = PatternError(expected, result.outputs);
    return result;
}

ThresholdCount CountWithinThreshold(const NetworkSnapshot& snapshot, const PatternSet& set, double threshold) {
    ThresholdCount count;
    count.patterns = set.count;
    for (std::int32_t p = 1; p <= set.count; ++p)
        count.within += WithinThreshold(EvaluatePattern(snapshot, set, p).error, threshold);
    return count;
}
