// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The constants that reduce x to n·(ln 2)/1024 + r. docs/exponential.md derives
// their bounds; a test recomputes each one with MPFR.

namespace QuickLevel {

inline constexpr double kStepsPerUnit = 0x1.71547652b82fep+10;  // 1024 / ln 2
// (ln 2)/1024 = kStep1 + kStep2 within 2^-99.2. kStep1 is (ln 2)/1024 cut to 33
// significant bits, so its product with any |n| < 2^20 is exact.
inline constexpr double kStep1 = 0x1.62e42fefp-11, kStep2 = 0x1.473de6af278edp-44;
// Level 2's three parts: kStep2Short is kStep2 cut to 33 bits, so that its
// product with n is exact too; kStep1 + kStep2Short + kStep3 is (ln 2)/1024
// within 2^-132.4.
inline constexpr double kStep2Short = 0x1.473de6afp-44, kStep3 = 0x1.3c7673007e5edp-79;

}  // namespace QuickLevel
