// SPDX-License-Identifier: GPL-3.0-or-later
#include "network_header.h"

#include "integer_text.h"
#include "line_reader.h"
#include "network.h"

#include <algorithm>

namespace {

std::int32_t ClampCount(std::int32_t value) { return std::clamp(value, 1, 32); }

}  // namespace

void AddHeaderLines(std::vector<std::string>& lines, const TRedNeuronal& network, std::int32_t ruleSelection,
                          std::int32_t functionSelection) {
    lines.push_back(IntegerText(network.NumeroEntradas()));
    lines.push_back(IntegerText(network.NeuronasCapaOculta()));
    lines.push_back(IntegerText(network.NeuronasCapaSalida()));
    lines.push_back(IntegerText(ruleSelection));
    lines.push_back(IntegerText(functionSelection));
}

NetworkHeader ReadTopology(LineReader& reader) {
    NetworkHeader header;
    header.NumeroEntradas = ClampCount(reader.Integer(1));
    header.NeuronasCapaOculta = ClampCount(reader.Integer(2));
    header.NeuronasCapaSalida = ClampCount(reader.Integer(3));
    return header;
}

NetworkHeader ReadHeader(LineReader& reader) {
    NetworkHeader header = ReadTopology(reader);
    header.RuleSelection = reader.Integer(4);
    header.FunctionSelection = reader.Integer(5);
    return header;
}
