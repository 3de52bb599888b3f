// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts of what reading a network file reports: each error a malformed
// or missing line gives, and the warning about a companion that does not fit.
// A line is quoted cut to its first 64 bytes (never inside a UTF-8
// character) followed by "…".

#include <cstdint>
#include <string>
#include <string_view>

std::string QuotedLine(std::string_view line);

// "'<line>' is not a valid integer value"
std::string NotAnIntegerMessage(std::string_view line);
// "'<line>' is not a valid floating point value"
std::string NotARealMessage(std::string_view line);
// "'<line>' is not a valid pattern count"
std::string NotAPatternCountMessage(std::string_view line);
// "List index out of bounds (<index>)": the index counts lines from 0.
std::string MissingLineMessage(std::int32_t index);
// "Cannot open file <path>"
std::string CannotOpenMessage(const std::string& path);
// A companion whose counts differ from the trained file's is not loaded.
std::string CompanionMismatchWarning(const std::string& companionPath);
