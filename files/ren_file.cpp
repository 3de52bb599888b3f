// SPDX-License-Identifier: GPL-3.0-or-later
#include "ren_file.h"

#include "file_access.h"
#include "file_names.h"
#include "line_reader.h"
#include "network_header.h"

#include "file_patterns.h"
#include "network.h"
#include "read_messages.h"
#include "real_text.h"
#include "rna_blocks.h"

namespace {

void AddLayerWeights(std::vector<std::string>& lines, const TCapaNeuronal& layer, char separator) {
    for (int j = 1; j <= layer.NumeroNeuronas(); ++j) {
        for (int k = 0; k <= layer.NumeroEntradas(); ++k) {
            lines.push_back(RealText(layer.Neuronas[j].Pesos[static_cast<std::size_t>(k)], separator));
        }
    }
}

std::vector<double> ReadWeights(LineReader& reader, std::int32_t& line, std::int32_t neurons,
                              std::int32_t inputs) {
    std::vector<double> weights;
    weights.reserve(static_cast<std::size_t>(neurons * (inputs + 1)));
    for (std::int32_t v = 0; v < neurons * (inputs + 1); ++v) weights.push_back(reader.Real(line++));
    return weights;
}

NetworkDescription Describe(LineReader& reader) {
    NetworkDescription description;
    description.Kind = NetworkFileKind::Trained;
    description.Header = ReadHeader(reader);
    const NetworkHeader& c = description.Header;
    std::int32_t line = 6;
    description.HiddenWeights = ReadWeights(reader, line, c.NeuronasCapaOculta, c.NumeroEntradas);
    description.OutputWeights = ReadWeights(reader, line, c.NeuronasCapaSalida, c.NeuronasCapaOculta);
    return description;
}

void TakeCompanion(NetworkDescription& description, LineReader& reader, const std::string& companionPath) {
    const NetworkHeader topology = ReadTopology(reader);
    const NetworkHeader& network = description.Header;
    if (topology.NumeroEntradas != network.NumeroEntradas || topology.NeuronasCapaOculta != network.NeuronasCapaOculta ||
        topology.NeuronasCapaSalida != network.NeuronasCapaSalida) {
        AddWarning(description, CompanionMismatchWarning(companionPath));
        return;
    }
    description.Patterns = ReadPatterns(reader, network.NumeroEntradas, network.NeuronasCapaSalida);
    ReadBlocks(reader, LastPatternLine(*description.Patterns, network.NumeroEntradas, network.NeuronasCapaSalida),
               network.NumeroEntradas, network.NeuronasCapaSalida, description);
}

}  // namespace

std::vector<std::string> RenLines(const TRedNeuronal& network, std::int32_t ruleSelection,
                                   std::int32_t functionSelection, char separator) {
    std::vector<std::string> lines;
    AddHeaderLines(lines, network, ruleSelection, functionSelection);
    AddLayerWeights(lines, network.CapaOculta, separator);
    AddLayerWeights(lines, network.CapaSalida, separator);
    return lines;
}

NetworkDescription DescribeRen(std::string_view text) {
    LineReader reader(text);
    return Describe(reader);
}

void AddCompanion(NetworkDescription& description, std::string_view companionText, const std::string& companionPath) {
    LineReader reader(companionText);
    TakeCompanion(description, reader, companionPath);
}

NetworkDescription ReadRen(const std::string& path) {
    NetworkDescription description;
    {
        FileForReading file(path);
        LineReader reader(file.Source());
        description = Describe(reader);
    }
    description.NombreRed = QuitarExtension(NameWithoutFolder(path));
    const std::string companionFile = CompanionPath(path);
    if (FileExists(companionFile)) {
        FileForReading file(companionFile);
        LineReader reader(file.Source());
        TakeCompanion(description, reader, companionFile);
    }
    return description;
}
