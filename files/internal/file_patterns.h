// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pattern part of an untrained file, from line 6: the count, the inputs
// of every pattern, then the expected outputs of every pattern.

#include "network_description.h"

#include <cstdint>
#include <string>
#include <vector>

class LineReader;

// The count, then every pattern's inputs, then every pattern's outputs.
void AddPatternLines(std::vector<std::string>& lines, const FilePatterns& patterns, char separator);

// Reads the count on line 6 and the values after it with NE = `inputs`
// and NS = `outputs`. A count outside 0..100 throws "'<line>' is not a valid
// pattern count": the table has 100 rows.
FilePatterns ReadPatterns(LineReader& reader, std::int32_t inputs, std::int32_t outputs);

// The number of the last line of `patterns` read from line 6 on.
std::int32_t LastPatternLine(const FilePatterns& patterns, std::int32_t inputs, std::int32_t outputs);
