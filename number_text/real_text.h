// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reals as the program writes them, with a decimal separator chosen by the
// caller (the library never reads a locale). Values that are not finite are
// "NAN", "INF" and "-INF".

#include <string>

// The form of the network files: rounded to 15 significant digits (a half at
// the sixteenth digit, judged on the double's exact decimal value, goes away
// from zero), trailing zeros dropped; fixed notation when the rounded
// magnitude lies in 0.0001 .. below 1E15, otherwise scientific ("1E-5",
// "-2.5E-7", "1.5E20"). Zero is "0".
std::string RealText(double value, char separator);

// General format of the fields: `precision` (1..18) significant digits,
// trailing zeros removed; fixed notation unless the integer part would need
// more than `precision` digits or the value is below 0.0001, then scientific
// ("1.2345679E10", "5E-05") with at least `exponentDigits` exponent digits.
std::string GeneralText(long double value, int precision, int exponentDigits, char separator);

// Plain decimal notation with up to 15 significant digits and no exponent:
// only digits, the separator and a leading "-". Empty when not finite.
std::string BareText(long double value, char separator);

// Fixed notation with exactly `decimals` decimals and no grouping.
std::string FixedText(long double value, int decimals, char separator);

// The shortest text that reads back to the same double (std::to_chars'
// shortest form, "1e-05", "2.5e+20"), with `separator` for the decimal point.
std::string ShortestText(double value, char separator);
