// SPDX-License-Identifier: GPL-3.0-or-later
#include "set_error.h"

#include "output_map.h"

#include <limits>

double SquaredError(std::span<const double> expected, std::span<const double> outputs) {
    double sum = 0.0;
    for (std::size_t k = 0; k < outputs.size(); ++k) {
        const double difference = expected[k] - outputs[k];
        sum += difference * difference;
    }
    return 0.5 * sum;
}

double SetErrors::MeanSquaredError(const NetworkSnapshot& snapshot, const PatternSet& set) {
    if (set.count < 1) return std::numeric_limits<double>::quiet_NaN();
    const auto inputs = static_cast<std::size_t>(snapshot.inputs), outputs = static_cast<std::size_t>(snapshot.outputs);
    outputs_.resize(outputs);
    double sum = 0.0;
    for (std::size_t p = 1; p <= static_cast<std::size_t>(set.count); ++p) {
        OutputValues(snapshot, std::span((*set.inputs)[p]).subspan(1, inputs), hidden_, outputs_);
        sum += SquaredError(std::span((*set.outputs)[p]).subspan(1, outputs), outputs_);
    }
    return sum / set.count;
}
