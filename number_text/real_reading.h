// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading reals: the program's one reader of real texts, for file lines and
// typed fields alike, so a number typed reads as it would from a file.

#include <cstdint>
#include <optional>
#include <string_view>

enum class RealStatus : std::uint8_t { Valid, NotANumber, Overflow };

struct RealReading {
    RealStatus status = RealStatus::NotANumber;
    double value = 0.0;  // meaningful only when Valid
};

// Leading blanks, an optional sign, digits with at most one `separator`, an
// optional exponent ("E" or "e", optional sign, digits), trailing blanks.
// A magnitude too large for a double is Overflow; one too small reads as
// zero. The value is the double nearest to the text.
RealReading ParseReal(std::string_view text, char separator);

// ParseReal for callers that only ask "is this a number, and which".
std::optional<double> ReadReal(std::string_view text, char separator);
