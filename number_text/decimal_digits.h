// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A finite number as a string of decimal digits, the form every number text
// is cut from, and its rounding to fewer digits (half away from zero).

#include <string>

struct DecimalDigits {
    bool negative = false;
    // Significant digits without leading or trailing zeros; empty for zero.
    std::string digits;
    // The value is 0.digits x 10^pointPosition.
    int pointPosition = 0;

    bool IsZero() const { return digits.empty(); }
    // Digits before the decimal point ("" for a value below 1).
    std::string IntegerPart() const;
    // Digits after the decimal point, without trailing zeros.
    std::string FractionPart() const;
};

// The digits the fields start from: 18 significant digits of the extended
// value, so a value shown with fewer digits rounds the way a reader expects
// (0.125 to 0.13). The value must be finite.
DecimalDigits ToDecimalDigits(long double value);

// The first `count` digits of the double's exact decimal value, cut, not
// rounded: rounding them to fewer digits then rounds the exact value.
DecimalDigits ExactDecimalDigits(double value, int count);

// Keeps at most `count` significant digits.
void RoundToSignificant(DecimalDigits& number, int count);
// Keeps at most `decimals` digits after the decimal point.
void RoundToDecimals(DecimalDigits& number, int decimals);
