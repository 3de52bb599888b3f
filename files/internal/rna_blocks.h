// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The optional blocks after an untrained file's patterns (rna_file.h), read
// and written for a network of `inputs` inputs and `outputs` outputs.

#include "network_description.h"
#include "rna_file.h"

#include <cstdint>
#include <string>
#include <vector>

class LineReader;

// The blocks that hold something, in the order [prueba], [aprendizaje],
// [nombres]. Throws when a name cannot be kept on one line.
void AddBlockLines(std::vector<std::string>& lines, const RnaBlocks& blocks, std::int32_t inputs, std::int32_t outputs,
                   char separator);

// Reads the blocks after the last line `reader` reached into `description`.
// Blank lines between blocks are passed over. When the first other line is
// no marker and does not start with "[", it and the rest are ignored, as
// they always were. A block that does not read, a repeated block or an
// unknown marker leaves out what it concerns and adds a note to Warning;
// reading goes on after a bad block whose length is known, and stops
// otherwise. Never throws for what lies after the patterns.
void ReadBlocks(LineReader& reader, std::int32_t lastLine, std::int32_t inputs, std::int32_t outputs,
                NetworkDescription& description);

// Adds `note` to the warnings of a description, on a line of its own.
void AddWarning(NetworkDescription& description, const std::string& note);
