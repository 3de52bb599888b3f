// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The untrained network file (.rna): lines 1-5 as in every network file,
// then the pattern count, the inputs of all patterns and the expected
// outputs of all patterns, one value per line. No weights.
//
// Optional blocks may follow, in any order, each at most once: a line
// holding exactly its marker, then a fixed count of lines.
//   [prueba]       the test set: its count M (0..100), then the inputs of
//                  all M patterns, then their outputs, as the patterns above
//   [aprendizaje]  η in (0, 10], then α in [0, 1)
//   [nombres]      NE input names, then NS output names, one per line
// A reader that stops after the last line the patterns need loads such a
// file as it is; a file with nothing to add has no block and stays line for
// line what it always was.

#include "network_description.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TRedNeuronal;

// What an untrained file keeps beyond its patterns. Each block is written
// only when it holds something: the test set when it has a pattern, η and α
// when they differ from the defaults, the names when one differs from its
// default header.
struct RnaBlocks {
    FilePatterns TestPatterns;              // laid out as the patterns
    LearningSettings Learning;
    std::vector<std::string> InputNames;    // empty or short: the defaults for the rest
    std::vector<std::string> OutputNames;
};

// The lines to save: counts from the network (not from the count fields,
// which may have changed since), the lists' current selections, then the
// patterns, laid out for the network's counts.
std::vector<std::string> RnaLines(const TRedNeuronal& network, const FilePatterns& patterns, std::int32_t ruleSelection,
                                   std::int32_t functionSelection, char separator);
// The same lines followed by the blocks in a fixed order: [prueba],
// [aprendizaje], [nombres]. Throws when a name cannot be kept on one line
// (NameFault), rather than write a file that does not read back.
std::vector<std::string> RnaLines(const TRedNeuronal& network, const FilePatterns& patterns, const RnaBlocks& blocks,
                                   std::int32_t ruleSelection, std::int32_t functionSelection, char separator);

// Reads and checks an untrained file's text up to its last needed line,
// then its optional blocks; NombreRed is left empty. Reals read with either
// decimal separator. Throws the first failure met in line order before the
// blocks; a block that does not read is left out with a note in Warning.
NetworkDescription DescribeRna(std::string_view text);

// Reads the file at `path` in the same way, naming the network after the file.
NetworkDescription ReadRna(const std::string& path);
