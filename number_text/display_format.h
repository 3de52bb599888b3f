// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A display format such as "##,##0.########": digit placeholders "#"
// (optional) and "0" (always shown), an optional "," asking for thousands
// grouping and an optional "." starting the decimals.

#include <string>

class DisplayFormat {
public:
    explicit DisplayFormat(std::string pattern = "##,##0.########");

    const std::string& Pattern() const { return pattern_; }
    // Digit placeholders before the decimal point: the longest integer part
    // a field with this format accepts.
    int IntegerDigits() const { return integerDigits_; }
    // Characters after the decimal point: the most decimals shown or typed.
    int Decimals() const { return decimals_; }

    // The value rounded to Decimals() decimals, without trailing zeros beyond
    // the "0" placeholders, grouped in thousands when asked for. `group` is
    // UTF-8 and may be empty.
    std::string Format(long double value, char separator, const std::string& group) const;

private:
    std::string pattern_;
    int integerDigits_ = 0;
    int minIntegerDigits_ = 0;
    int decimals_ = 0;
    int minDecimals_ = 0;
    bool grouped_ = false;
};
