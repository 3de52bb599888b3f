// SPDX-License-Identifier: GPL-3.0-or-later
#include "axis_ticks.h"

#include <algorithm>
#include <cmath>

namespace {

double CountWithin(double lo, double hi, double step) { return std::floor(hi / step) - std::ceil(lo / step) + 1; }

// The smallest step of 1, 2 or 5 times a power of ten, and at least 1, that
// leaves at most `most` multiples within [lo, hi].
double RoundStep(double lo, double hi, int most) {
    const double span = std::max(hi - lo, 1.0);
    for (double power = std::pow(10.0, std::floor(std::log10(span / most)));; power *= 10.0) {
        for (const double m : {1.0, 2.0, 5.0}) {
            const double step = std::max(1.0, m * power);
            if (CountWithin(lo, hi, step) <= most) return step;
        }
    }
}

}  // namespace

std::vector<double> IterationTicks(double lo, double hi, int most) {
    std::vector<double> ticks;
    if (!(hi >= lo) || !std::isfinite(hi - lo)) return ticks;
    const double step = RoundStep(lo, hi, std::max(most, 2));
    for (double k = std::ceil(lo / step); k * step <= hi; ++k) ticks.push_back(k * step);
    return ticks;
}

double LogAxisBase(double low, double high) {
    constexpr double kDecades = 3.0;
    const double ratio = high / low;
    if (!(ratio > 1.0) || std::log10(ratio) >= kDecades) return 10.0;
    return std::cbrt(ratio);
}
