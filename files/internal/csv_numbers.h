// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a cell of comma-separated text reads as a number. A file has one
// decimal separator; the other mark ("." or ",") is digit grouping, and only
// where it groups by three as a spreadsheet writes it ("1.234", "10.000",
// "1.234.567,5" where "," is the decimal separator).

#include "real_reading.h"

#include <cstdint>
#include <string_view>

// Whether the cell reads as a number with either mark as the decimal
// separator (so whether it can be no header's caption).
bool LooksLikeNumber(std::string_view cell);

// What a cell says about the file's decimal separator: '.' or ',' when it can
// only be that one ("0.5", "1.234,5", "1,000,000"), 0 when it says nothing
// ("12", "1.234", which may be grouped or not).
char DecimalVote(std::string_view cell);

enum class CellStatus : std::uint8_t { Valid, NotANumber, OtherMark, Overflow };

struct CellReading {
    CellStatus status = CellStatus::NotANumber;
    double value = 0.0;  // meaningful only when Valid
};

// The cell with `decimal` as the decimal separator: OtherMark when it holds
// the other mark anywhere but in grouping by three.
CellReading ReadCell(std::string_view cell, char decimal);
