// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The trained network file (.ren): lines 1-5 as in every network file, then
// every weight of the hidden layer and of the output layer, neuron by neuron,
// bias weight first. Its patterns come from the untrained file of the same
// base name, the companion, when there is one.

#include "network_description.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TRedNeuronal;

// The lines to save: counts from the network, the lists' current
// selections, then the weights of the layers' active neurons.
std::vector<std::string> RenLines(const TRedNeuronal& network, std::int32_t ruleSelection,
                                   std::int32_t functionSelection, char separator);

// Reads and checks a trained file's text up to its last weight, without its
// companion; NombreRed is left empty. Reals read with either decimal
// separator. Throws the first failure met in line order.
NetworkDescription DescribeRen(std::string_view text);

// Takes the patterns of the companion's text into a trained description.
// A companion whose lines 1-3 give other counts than the trained file is
// not used: its values would land in the wrong places. The description then
// gets a warning naming `companionPath` instead. Throws when the companion
// is malformed.
void AddCompanion(NetworkDescription& description, std::string_view companionText, const std::string& companionPath);

// Reads the file at `path` and, when one exists, its companion in the same
// way, naming the network after the file.
NetworkDescription ReadRen(const std::string& path);
