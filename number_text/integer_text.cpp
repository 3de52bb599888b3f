// SPDX-License-Identifier: GPL-3.0-or-later
#include "integer_text.h"

#include <array>
#include <charconv>
#include <limits>

std::string IntegerText(std::int64_t value) {
    std::array<char, 24> text{};  // every 64-bit value fits
    const auto end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
    return std::string(text.data(), end);
}

namespace {

int DigitValue(char c, int base) {
    if (c >= '0' && c <= '9') return c - '0';
    if (base == 16 && c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (base == 16 && c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Skips a hexadecimal prefix at `at`, returning the base it announces.
int ReadBase(std::string_view text, std::size_t& at, IntegerForms forms) {
    if (forms != IntegerForms::DecimalOrHexadecimal) return 10;
    const std::size_t n = text.size();
    if (at < n && (text[at] == '$' || text[at] == 'x' || text[at] == 'X')) {
        ++at;
        return 16;
    }
    if (at + 1 < n && text[at] == '0' && (text[at + 1] == 'x' || text[at + 1] == 'X')) {
        at += 2;
        return 16;
    }
    return 10;
}

}  // namespace

std::optional<std::int32_t> ReadInteger(std::string_view text, IntegerForms forms) {
    std::size_t at = 0;
    const std::size_t n = text.size();
    while (at < n && text[at] == ' ') ++at;
    bool negative = false;
    if (at < n && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    const int base = ReadBase(text, at, forms);
    if (at == n) return std::nullopt;
    // One past the largest magnitude allowed, so that the negative limit fits.
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; at < n; ++at) {
        const int digit = DigitValue(text[at], base);
        if (digit < 0) return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > limit) return std::nullopt;
    }
    if (!negative && magnitude == limit) return std::nullopt;
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}
