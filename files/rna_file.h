// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The untrained network file (.rna): lines 1-5 as in every network file,
// then the pattern count, the inputs of all patterns and the expected
// outputs of all patterns, one value per line. No weights.

#include "network_description.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TRedNeuronal;

// The lines to save: counts from the network (not from the count fields,
// which may have changed since), the lists' current selections, then the
// patterns, laid out for the network's counts.
std::vector<std::string> RnaLines(const TRedNeuronal& network, const FilePatterns& patterns, std::int32_t ruleSelection,
                                   std::int32_t functionSelection, char separator);

// Reads and checks an untrained file's text up to its last needed line;
// NombreRed is left empty. Reals read with either decimal separator.
// Throws the first failure met in line order.
NetworkDescription DescribeRna(std::string_view text);

// Reads the file at `path` in the same way, naming the network after the file.
NetworkDescription ReadRna(const std::string& path);
