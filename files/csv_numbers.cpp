// SPDX-License-Identifier: GPL-3.0-or-later
#include "csv_numbers.h"

#include <algorithm>
#include <iterator>
#include <string>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char OtherMark(char decimal) { return decimal == ',' ? '.' : ','; }

std::string_view Trimmed(std::string_view cell) {
    const std::size_t first = cell.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return cell.substr(first, cell.find_last_not_of(" \t") - first + 1);
}

// Whether `group` marks the digit groups of the cell as a spreadsheet writes
// them: a sign, one to three digits (no leading 0), then one or more groups
// of `group` and three digits, then optionally `decimal` and digits.
bool IsGrouped(std::string_view cell, char group, char decimal) {
    cell = Trimmed(cell);
    std::size_t i = 0;
    if (i < cell.size() && (cell[i] == '-' || cell[i] == '+')) ++i;
    const std::size_t lead = i;
    while (i < cell.size() && IsDigit(cell[i])) ++i;
    if (i == lead || i - lead > 3 || cell[lead] == '0') return false;
    int groups = 0;
    while (i < cell.size() && cell[i] == group) {
        if (i + 4 > cell.size() || !IsDigit(cell[i + 1]) || !IsDigit(cell[i + 2]) || !IsDigit(cell[i + 3]))
            return false;
        i += 4;
        ++groups;
    }
    if (groups == 0) return false;
    if (i < cell.size() && cell[i] == decimal) {
        ++i;
        while (i < cell.size() && IsDigit(cell[i])) ++i;
    }
    return i == cell.size();
}

CellReading FromReal(RealReading reading) {
    switch (reading.status) {
    case RealStatus::Valid:
        return {CellStatus::Valid, reading.value};
    case RealStatus::Overflow:
        return {CellStatus::Overflow, 0.0};
    case RealStatus::NotANumber:
        break;
    }
    return {};
}

}  // namespace

bool LooksLikeNumber(std::string_view cell) {
    for (const char decimal : {'.', ','}) {
        const CellStatus status = ReadCell(cell, decimal).status;
        if (status == CellStatus::Valid || status == CellStatus::Overflow) return true;
    }
    return false;
}

char DecimalVote(std::string_view cell) {
    const std::size_t dots = std::count(cell.begin(), cell.end(), '.');
    const std::size_t commas = std::count(cell.begin(), cell.end(), ',');
    if (dots > 0 && commas > 0) return cell[cell.find_last_of(".,")];
    if (dots + commas == 0) return 0;
    const char mark = dots > 0 ? '.' : ',';
    if (dots + commas > 1) return OtherMark(mark);
    // One mark: "1.234" may be a decimal or grouping; anything else with it is a decimal.
    return IsGrouped(cell, mark, OtherMark(mark)) ? 0 : mark;
}

CellReading ReadCell(std::string_view cell, char decimal) {
    const char group = OtherMark(decimal);
    if (cell.find(group) == std::string_view::npos) return FromReal(ParseReal(Trimmed(cell), decimal));
    if (!IsGrouped(cell, group, decimal)) return {CellStatus::OtherMark, 0.0};
    // A grouped number is short: at most 4 096 characters, as every record.
    std::string digits;
    digits.reserve(cell.size());
    std::copy_if(cell.begin(), cell.end(), std::back_inserter(digits), [group](char c) { return c != group; });
    return FromReal(ParseReal(Trimmed(digits), decimal));
}
