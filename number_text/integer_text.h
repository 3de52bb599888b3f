// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Integers as the program writes and reads them: plain decimal, no grouping,
// independent of the locale.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// "-" for negatives, no "+", no leading zeros.
std::string IntegerText(std::int64_t value);

enum class IntegerForms : std::uint8_t {
    Decimal,                 // what a field accepts
    DecimalOrHexadecimal,    // what a file line accepts: also "$", "x", "X", "0x" or "0X" then hex digits
};

// Leading blanks, an optional sign, then digits in one of `forms`; nothing may
// follow, and the value must fit 32 bits. Empty when the text is not one.
std::optional<std::int32_t> ReadInteger(std::string_view text, IntegerForms forms);
