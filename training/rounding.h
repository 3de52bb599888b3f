// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Rounding of the execution outputs to a number of decimals.

#include <cstdint>

// trunc(x · 10^d + 0.5) / 10^d, with x · 10^d + 0.5 formed in doubles as
// ((x · 10^(d+1)) + 5) / 10 and truncation toward zero, so negative values
// whose scaled value is not a half come out one unit higher than rounding
// half up would give. Decimals outside 0..8 are taken as the nearer bound:
// a field not yet confirmed can hand any value, and 10^(d+1) must fit in
// 32 bits. Throws "Floating point overflow" when the scaled value does.
double Redondear(std::int32_t decimals, double x);
