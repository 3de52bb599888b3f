#pragma once
// The error of one training iteration: the mean over the outputs of the
// deviation in percent of the expected value's magnitude, with the bare
// deviation × 100 where the expected value is 0.

#include "program_error.h"

#include <cmath>
#include <cstdint>

// Values are indexed from 1, like the network's arrays. Each term is formed
// as (|d − o| · (100 / |d|)) / n and the terms are summed in output order,
// so equal inputs give equal bits. Dividing by |d| keeps a negative target
// from giving a negative error that would end any error-criterion run at
// once. Throws "Floating point overflow" when the error is not finite.
template <typename Values>
double IterationError(const Values& expected, const Values& obtained, std::int32_t outputs) {
    const double n = outputs;
    double error = 0.0;
    for (std::int32_t k = 1; k <= outputs; ++k) {
        const double d = expected[k];
        const double deviation = std::fabs(d - obtained[k]);
        error += d != 0.0 ? deviation * (100.0 / std::fabs(d)) / n : deviation * 100.0 / n;
    }
    if (!std::isfinite(error)) [[unlikely]] throw ProgramError(kOverflowMessage);
    return error;
}
