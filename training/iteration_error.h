// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The error of one training iteration: the mean over the outputs of the
// deviation in percent of the expected value's magnitude, with the bare
// deviation × 100 where the expected value is 0.

#include "program_error.h"

#include <cmath>
#include <cstdint>

// The absolute error of one output, |d − o|.
inline double AbsoluteError(double d, double o) { return std::fabs(d - o); }

// What term k multiplies its deviation by: 100 / |d|, or 100 where d is 0.
inline double PercentFactor(double d) { return d != 0.0 ? 100.0 / std::fabs(d) : 100.0; }

// Values are indexed from 1, like the network's arrays. Each term is formed
// as (|d − o| · factor(k)) / n, factor(k) being PercentFactor(d), and the
// terms are summed in output order, so equal inputs give equal bits. Dividing
// by |d| keeps a negative target from giving a negative error that would end
// any error-criterion run at once. A caller that meets the same targets again
// may pass their factors computed once: the step's own divisions then do not
// wait for these. Throws "Floating point overflow" when the error is not finite.
template <typename Values, typename Factor>
double IterationError(const Values& expected, const Values& obtained, std::int32_t outputs, Factor factor) {
    const double n = outputs;
    double error = 0.0;
    for (std::int32_t k = 1; k <= outputs; ++k) {
        const double term = AbsoluteError(expected[k], obtained[k]) * factor(k);
        error += outputs == 1 ? term : term / n;  // exact: a division by 1 changes nothing
    }
    if (!std::isfinite(error)) [[unlikely]] throw ProgramError(kOverflowMessage);
    return error;
}

template <typename Values>
double IterationError(const Values& expected, const Values& obtained, std::int32_t outputs) {
    return IterationError(expected, obtained, outputs, [&](std::int32_t k) { return PercentFactor(expected[k]); });
}
