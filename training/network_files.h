// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What loading and saving a network file mean for the network and the
// working state. A load applies a description read and checked in full, in
// the order the load takes its steps; nothing here can fail, so a load
// either changes everything it should or, when reading threw, nothing.

#include "learning_settings.h"
#include "network_description.h"
#include "rna_file.h"

#include <cstdint>
#include <optional>
#include <string>

class TRedNeuronal;
struct WorkState;

// What a load changed, for the controls to show.
struct LoadResult {
    NetworkFileKind Kind = NetworkFileKind::Untrained;
    NetworkHeader Header;  // list positions that are no item read as -1
    bool PatternsTaken = false;  // the pattern table was replaced
    // η and α for the network when the patterns were taken: the file's, or
    // the defaults when it has no [aprendizaje] block. None otherwise.
    std::optional<LearningSettings> Learning;
    std::string Warning;             // for a message box; empty when all went well
};

// Sets NombreRed, the table rows 1..N of the patterns taken and
// NumeroPatrones, and with them the test set and the names (none and the
// defaults when the file has no such block); configures the network through its writers (hidden count,
// output count, inputs, then rule and function where the lists select one);
// sets RedCreada; then gives an untrained network fresh weights, or a
// trained one the weights read. Nothing of the weights, nor of the patterns
// taken, is left unsaved.
LoadResult ApplyDescription(const NetworkDescription& description, TRedNeuronal& network, WorkState& state);

// Patterns 1..NumeroPatrones of the table, laid out for the network's counts
// as an untrained file holds them.
FilePatterns PatternsToSave(const WorkState& state, const TRedNeuronal& network);

// The test set, laid out in the same way, the names and `learning`, the
// network's η and α, for the blocks after the patterns.
RnaBlocks BlocksToSave(const WorkState& state, const TRedNeuronal& network, const LearningSettings& learning);
