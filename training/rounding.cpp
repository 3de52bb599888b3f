// SPDX-License-Identifier: GPL-3.0-or-later
#include "rounding.h"

#include "program_error.h"

#include <algorithm>
#include <cmath>

namespace {

// 10^n by repeated multiplication in 32 bits; n stays within 0..9 here.
double PowerOfTen(std::int32_t n) {
    std::int32_t power = 1;
    for (std::int32_t i = 0; i < n; ++i) power *= 10;
    return static_cast<double>(power);
}

}  // namespace

double Redondear(std::int32_t decimals, double x) {
    const std::int32_t d = std::clamp<std::int32_t>(decimals, 0, 8);
    double y = x * PowerOfTen(d + 1);
    if (!std::isfinite(y)) throw ProgramError(kOverflowMessage);
    y = y + 5;
    y = y / 10;
    const double t = std::trunc(y);
    return t / PowerOfTen(d);
}
