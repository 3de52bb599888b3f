// SPDX-License-Identifier: GPL-3.0-or-later
#include "display_format.h"

#include "decimal_digits.h"

#include <algorithm>
#include <cmath>

DisplayFormat::DisplayFormat(std::string pattern) : pattern_(std::move(pattern)) {
    const std::size_t point = pattern_.find('.');
    const std::string_view integerPart = std::string_view(pattern_).substr(0, point);
    for (const char c : integerPart) {
        if (c == '#' || c == '0') ++integerDigits_;
        if (c == '0') ++minIntegerDigits_;
        if (c == ',') grouped_ = true;
    }
    if (point != std::string::npos) {
        const std::string_view decimalPart = std::string_view(pattern_).substr(point + 1);
        decimals_ = static_cast<int>(decimalPart.size());
        minDecimals_ = static_cast<int>(std::count(decimalPart.begin(), decimalPart.end(), '0'));
    }
}

std::string DisplayFormat::Format(long double value, char separator, const std::string& group) const {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";

    DecimalDigits number = ToDecimalDigits(value);
    RoundToDecimals(number, decimals_);

    std::string integer = number.IntegerPart();
    if (static_cast<int>(integer.size()) < minIntegerDigits_) integer.insert(0, minIntegerDigits_ - integer.size(), '0');
    if (grouped_) {
        for (int at = static_cast<int>(integer.size()) - 3; at > 0; at -= 3) integer.insert(static_cast<std::size_t>(at), group);
    }
    std::string fraction = number.FractionPart();
    if (static_cast<int>(fraction.size()) < minDecimals_) fraction.append(minDecimals_ - fraction.size(), '0');

    // A value that rounds to zero is shown without its sign.
    std::string text = number.negative && !number.IsZero() ? "-" : "";
    text += integer;
    if (!fraction.empty()) text += separator + fraction;
    return text;
}
