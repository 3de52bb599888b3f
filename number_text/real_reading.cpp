// SPDX-License-Identifier: GPL-3.0-or-later
#include "real_reading.h"

#include <array>
#include <charconv>
#include <limits>
#include <string>

namespace {

constexpr std::size_t kNone = std::string_view::npos;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Where the parts of a real text lie: the mantissa [mantissaBegin,
// mantissaEnd) with its separator at `separatorAt` (kNone when absent), the
// exponent's digits [exponentBegin, exponentEnd).
struct RealParts {
    bool negative = false;
    std::size_t mantissaBegin = 0, mantissaEnd = 0, separatorAt = kNone;
    bool negativeExponent = false;
    std::size_t exponentBegin = 0, exponentEnd = 0;
};

std::optional<RealParts> Scan(std::string_view text, char separator) {
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n && text[i] == ' ') ++i;
    RealParts parts;
    if (i < n && (text[i] == '+' || text[i] == '-')) parts.negative = text[i++] == '-';
    parts.mantissaBegin = i;
    std::size_t digits = 0;
    for (; i < n; ++i) {
        if (IsDigit(text[i])) {
            ++digits;
        } else if (text[i] == separator && parts.separatorAt == kNone) {
            parts.separatorAt = i;
        } else {
            break;
        }
    }
    parts.mantissaEnd = parts.exponentBegin = parts.exponentEnd = i;
    if (digits == 0) return std::nullopt;
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) parts.negativeExponent = text[i++] == '-';
        parts.exponentBegin = i;
        while (i < n && IsDigit(text[i])) ++i;
        parts.exponentEnd = i;
        if (parts.exponentEnd == parts.exponentBegin) return std::nullopt;
    }
    while (i < n && text[i] == ' ') ++i;
    if (i != n) return std::nullopt;
    return parts;
}

// std::from_chars wants "." and no "+": the number is rewritten in that
// form, on the stack when it is short, as every number the program writes is.
std::optional<double> Convert(std::string_view text, const RealParts& parts) {
    std::array<char, 72> brief;  // only the part written is read
    std::string longer;
    const std::size_t size = 3 + (parts.mantissaEnd - parts.mantissaBegin) + (parts.exponentEnd - parts.exponentBegin);
    char* normal = brief.data();
    if (size > brief.size()) {
        longer.resize(size);
        normal = longer.data();
    }
    std::size_t length = 0;
    if (parts.negative) normal[length++] = '-';
    for (std::size_t k = parts.mantissaBegin; k < parts.mantissaEnd; ++k) {
        normal[length++] = k == parts.separatorAt ? '.' : text[k];
    }
    if (parts.exponentEnd > parts.exponentBegin) {
        normal[length++] = 'e';
        if (parts.negativeExponent) normal[length++] = '-';
        for (std::size_t k = parts.exponentBegin; k < parts.exponentEnd; ++k) normal[length++] = text[k];
    }
    double value = 0.0;
    const auto result = std::from_chars(normal, normal + length, value, std::chars_format::general);
    if (result.ec != std::errc{}) return std::nullopt;
    return value;
}

// The largest double written with 15 digits, 0.179769313486232 x 10^309,
// lies above it. A magnitude between the two reads as the largest double,
// the double nearest to it, so that whatever is written reads back.
// `digits` starts at the first non-zero digit and may hold the separator at
// `separatorAt` (beyond its end when there is none); `order` is the power of
// ten just above the first digit.
bool UpToLargestWritten(std::string_view digits, std::size_t separatorAt, std::int64_t order) {
    constexpr std::string_view largest = "179769313486232";
    if (order != 309) return false;
    std::size_t j = 0;
    for (std::size_t k = 0; k < digits.size(); ++k) {
        if (k == separatorAt) continue;
        const char c = digits[k];
        if (j == largest.size()) {
            if (c != '0') return false;
        } else if (c != largest[j++]) {
            return c < largest[j - 1];
        }
    }
    return true;
}

// A number outside the double range either way: the order of magnitude of
// its first non-zero digit tells overflow from underflow (which reads as 0).
RealReading OutOfRange(std::string_view text, const RealParts& parts) {
    const std::size_t integerDigits =
        (parts.separatorAt == kNone ? parts.mantissaEnd : parts.separatorAt) - parts.mantissaBegin;
    std::int64_t order = 0;
    std::size_t first = parts.mantissaEnd;
    for (std::size_t k = parts.mantissaBegin, position = 0; k < parts.mantissaEnd && first == parts.mantissaEnd; ++k) {
        if (k == parts.separatorAt) continue;
        if (text[k] != '0') {
            order = static_cast<std::int64_t>(integerDigits) - static_cast<std::int64_t>(position);
            first = k;
        }
        ++position;
    }
    // Capped well beyond any order that could matter, so that it cannot wrap.
    std::int64_t exponent = 0;
    for (std::size_t k = parts.exponentBegin; k < parts.exponentEnd && exponent < 1000000000000000; ++k) {
        exponent = exponent * 10 + (text[k] - '0');
    }
    order += parts.negativeExponent ? -exponent : exponent;
    if (order <= 0) return {RealStatus::Valid, parts.negative ? -0.0 : 0.0};
    if (UpToLargestWritten(text.substr(first, parts.mantissaEnd - first), parts.separatorAt - first, order)) {
        constexpr double largest = std::numeric_limits<double>::max();
        return {RealStatus::Valid, parts.negative ? -largest : largest};
    }
    return {RealStatus::Overflow, 0.0};
}

}  // namespace

RealReading ParseReal(std::string_view text, char separator) {
    const std::optional<RealParts> parts = Scan(text, separator);
    if (!parts) return {};
    if (const std::optional<double> value = Convert(text, *parts)) return {RealStatus::Valid, *value};
    return OutOfRange(text, *parts);
}

std::optional<double> ReadReal(std::string_view text, char separator) {
    const RealReading reading = ParseReal(text, separator);
    if (reading.status != RealStatus::Valid) return std::nullopt;
    return reading.value;
}
