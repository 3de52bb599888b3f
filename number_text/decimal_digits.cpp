// SPDX-License-Identifier: GPL-3.0-or-later
#include "decimal_digits.h"

#include <array>
#include <charconv>
#include <cmath>

namespace {

void StripTrailingZeros(DecimalDigits& number) {
    while (!number.digits.empty() && number.digits.back() == '0') number.digits.pop_back();
    if (number.digits.empty()) number.pointPosition = 0;
}

// Keeps the first `keep` digits, rounding half away from zero on the next.
void KeepDigits(DecimalDigits& number, int keep) {
    if (keep >= static_cast<int>(number.digits.size())) return;
    if (keep < 0) {
        number.digits.clear();
        number.pointPosition = 0;
        return;
    }
    const bool up = number.digits[keep] >= '5';
    number.digits.resize(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && number.digits[i] == '9') number.digits[i--] = '0';
        if (i >= 0) {
            ++number.digits[i];
        } else {
            number.digits.insert(number.digits.begin(), '1');
            ++number.pointPosition;
        }
    }
    StripTrailingZeros(number);
}

// Reads "d.ddd...e[+-]x", as std::to_chars writes in scientific form, keeping
// at most `count` digits.
DecimalDigits FromScientific(std::string_view written, bool negative, int count) {
    DecimalDigits number;
    number.negative = negative;
    const auto exponentAt = written.find('e');
    for (std::size_t i = 0; i < exponentAt && static_cast<int>(number.digits.size()) < count; ++i) {
        if (written[i] != '.') number.digits.push_back(written[i]);
    }
    const char* exponentText = written.data() + exponentAt + 1;
    if (*exponentText == '+') ++exponentText;
    int exponent = 0;
    std::from_chars(exponentText, written.data() + written.size(), exponent);
    number.pointPosition = exponent + 1;
    StripTrailingZeros(number);
    return number;
}

}  // namespace

std::string DecimalDigits::IntegerPart() const {
    if (pointPosition <= 0) return {};
    std::string part = digits.substr(0, pointPosition);
    part.append(pointPosition - part.size(), '0');
    return part;
}

std::string DecimalDigits::FractionPart() const {
    if (static_cast<int>(digits.size()) <= pointPosition) return {};
    if (pointPosition >= 0) return digits.substr(pointPosition);
    return std::string(-pointPosition, '0') + digits;
}

DecimalDigits ToDecimalDigits(long double value) {
    if (value == 0) return DecimalDigits{std::signbit(value), {}, 0};
    constexpr int kDigits = 18;
    std::array<char, 64> text{};
    const auto end =
        std::to_chars(text.data(), text.data() + text.size(), std::fabs(value), std::chars_format::scientific, kDigits - 1)
            .ptr;
    return FromScientific(std::string_view(text.data(), end), std::signbit(value), kDigits);
}

DecimalDigits ExactDecimalDigits(double value, int count) {
    if (value == 0) return DecimalDigits{std::signbit(value), {}, 0};
    // 20 correctly rounded digits almost always cut to the exact first 16;
    // only when digits 17..20 came out as zeros may a run of nines have
    // carried into the digits kept, and then the exact expansion (at most 767
    // significant digits) decides.
    std::array<char, 40> brief{};
    const double magnitude = std::fabs(value);
    auto end = std::to_chars(brief.data(), brief.data() + brief.size(), magnitude, std::chars_format::scientific, 19).ptr;
    const char* tail = brief.data() + count + 1;  // the digits after the ones kept ("d." takes two places)
    if (count <= 16 && std::string_view(tail, 4) != "0000") {
        return FromScientific(std::string_view(brief.data(), end), std::signbit(value), count);
    }
    std::array<char, 800> exact{};
    end = std::to_chars(exact.data(), exact.data() + exact.size(), magnitude, std::chars_format::scientific, 770).ptr;
    return FromScientific(std::string_view(exact.data(), end), std::signbit(value), count);
}

void RoundToSignificant(DecimalDigits& number, int count) { KeepDigits(number, count); }

void RoundToDecimals(DecimalDigits& number, int decimals) { KeepDigits(number, number.pointPosition + decimals); }
