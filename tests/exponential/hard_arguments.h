// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Arguments whose e^x lies within 2^-72 of the midpoint between two doubles,
// found by search in quadruple precision: no quick evaluation settles their
// rounding, so they exercise the exponential's slower levels.

#include <array>

inline constexpr std::array<double, 4> HardArguments = {-0x1.b076b47144d8p+3, -0x1.ecfc19abb28e2p+3,
                                                               0x1.8572753d048fp+4, 0x1.e54d24d44807p+2};
