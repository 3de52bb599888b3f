// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Lines 1-5 of both network files: the three counts and the selections of
// the rule and transfer-function lists.

#include "network_description.h"

#include <cstdint>
#include <string>
#include <vector>

class LineReader;
class TRedNeuronal;

// Lines 1-3 from the network itself, 4-5 from the lists' selections.
void AddHeaderLines(std::vector<std::string>& lines, const TRedNeuronal& network, std::int32_t ruleSelection,
                          std::int32_t functionSelection);

// Reads lines 1-5. Counts outside 1..32 go to the nearer bound; the list
// positions are taken as written.
NetworkHeader ReadHeader(LineReader& reader);

// Reads lines 1-3 only, limited like ReadHeader.
NetworkHeader ReadTopology(LineReader& reader);
