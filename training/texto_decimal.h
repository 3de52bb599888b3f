#pragma once
// Integers as the captions and grid headers show them: plain decimal, no
// grouping, independent of the locale.

#include <charconv>
#include <cstdint>
#include <string>

inline std::string TextoDecimal(std::int64_t valor) {
    char buffer[24];
    auto [fin, error] = std::to_chars(buffer, buffer + sizeof buffer, valor);
    (void)error;  // 24 characters hold every 64-bit value
    return std::string(buffer, fin);
}
