// SPDX-License-Identifier: GPL-3.0-or-later
#include "rna_file.h"

#include "file_access.h"
#include "file_names.h"
#include "file_patterns.h"
#include "line_reader.h"
#include "network.h"
#include "network_header.h"
#include "rna_blocks.h"

std::vector<std::string> RnaLines(const TRedNeuronal& network, const FilePatterns& patterns, std::int32_t ruleSelection,
                                   std::int32_t functionSelection, char separator) {
    std::vector<std::string> lines;
    AddHeaderLines(lines, network, ruleSelection, functionSelection);
    AddPatternLines(lines, patterns, separator);
    return lines;
}

std::vector<std::string> RnaLines(const TRedNeuronal& network, const FilePatterns& patterns, const RnaBlocks& blocks,
                                   std::int32_t ruleSelection, std::int32_t functionSelection, char separator) {
    std::vector<std::string> lines = RnaLines(network, patterns, ruleSelection, functionSelection, separator);
    AddBlockLines(lines, blocks, network.NumeroEntradas(), network.NeuronasCapaSalida(), separator);
    return lines;
}

namespace {

NetworkDescription Describe(LineReader& reader) {
    NetworkDescription description;
    description.Kind = NetworkFileKind::Untrained;
    description.Header = ReadHeader(reader);
    const NetworkHeader& c = description.Header;
    description.Patterns = ReadPatterns(reader, c.NumeroEntradas, c.NeuronasCapaSalida);
    ReadBlocks(reader, LastPatternLine(*description.Patterns, c.NumeroEntradas, c.NeuronasCapaSalida),
               c.NumeroEntradas, c.NeuronasCapaSalida, description);
    return description;
}

}  // namespace

NetworkDescription DescribeRna(std::string_view text) {
    LineReader reader(text);
    return Describe(reader);
}

NetworkDescription ReadRna(const std::string& path) {
    FileForReading file(path);
    LineReader reader(file.Source());
    NetworkDescription description = Describe(reader);
    description.NombreRed = QuitarExtension(NameWithoutFolder(path));
    return description;
}
