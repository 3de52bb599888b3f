// SPDX-License-Identifier: GPL-3.0-or-later
#include "network_files.h"

#include "list_choices.h"
#include "network.h"
#include "random_generator.h"
#include "work_state.h"

namespace {

void TakePatterns(const FilePatterns& patterns, const NetworkHeader& header, WorkState& state) {
    const std::int32_t ne = header.NumeroEntradas;
    const std::int32_t ns = header.NeuronasCapaSalida;
    state.NumeroPatrones = patterns.NumeroPatrones;
    for (std::int32_t p = 1; p <= patterns.NumeroPatrones; ++p) {
        for (std::int32_t i = 1; i <= ne; ++i) {
            state.EntradasPatrones[p][i] = patterns.Entradas[static_cast<std::size_t>((p - 1) * ne + i - 1)];
        }
    }
    for (std::int32_t p = 1; p <= patterns.NumeroPatrones; ++p) {
        for (std::int32_t k = 1; k <= ns; ++k) {
            state.SalidasPatrones[p][k] = patterns.Salidas[static_cast<std::size_t>((p - 1) * ns + k - 1)];
        }
    }
}

// The writers' order matters: each count write draws fresh weights.
void Configure(TRedNeuronal& network, const NetworkHeader& header) {
    network.SetNeuronasCapaOculta(static_cast<TRangoNeuronas>(header.NeuronasCapaOculta));
    network.SetNeuronasCapaSalida(static_cast<TRangoNeuronas>(header.NeuronasCapaSalida));
    network.SetNumeroEntradas(header.NumeroEntradas);
    ApplyListChoices(network, header.RuleSelection, header.FunctionSelection);
}

// Weights go in after the topology, whose writers replace them.
void PutWeights(TCapaNeuronal& layer, const std::vector<double>& weights) {
    const int inputs = layer.NumeroEntradas();
    for (int j = 1; j <= layer.NumeroNeuronas(); ++j) {
        for (int k = 0; k <= inputs; ++k) {
            layer.Neuronas[j].Pesos[static_cast<std::size_t>(k)] =
                weights[static_cast<std::size_t>((j - 1) * (inputs + 1) + k)];
        }
    }
}

}  // namespace

LoadResult ApplyDescription(const NetworkDescription& description, TRedNeuronal& network, WorkState& state) {
    NetworkHeader header = description.Header;
    header.RuleSelection = ListPosition(header.RuleSelection, kRuleListItems);
    header.FunctionSelection = ListPosition(header.FunctionSelection, kFunctionListItems);
    state.NombreRed = description.NombreRed;
    if (description.Patterns) TakePatterns(*description.Patterns, header, state);
    const RandomGenerator::WeightsSequence weights(RandomGenerator::WeightsSequence::Start::Restart);
    Configure(network, header);
    state.RedCreada = true;
    if (description.Kind == NetworkFileKind::Untrained) {
        network.InicializarPesos();
    } else {
        PutWeights(network.CapaOculta, description.HiddenWeights);
        PutWeights(network.CapaSalida, description.OutputWeights);
    }

    return {description.Kind, header, description.Patterns.has_value(), description.Warning};
}

FilePatterns PatternsToSave(const WorkState& state, const TRedNeuronal& network) {
    const std::int32_t ne = network.NumeroEntradas();
    const std::int32_t ns = network.NeuronasCapaSalida();
    FilePatterns patterns;
    patterns.NumeroPatrones = state.NumeroPatrones;
    for (std::int32_t p = 1; p <= state.NumeroPatrones; ++p) {
        for (std::int32_t i = 1; i <= ne; ++i) patterns.Entradas.push_back(state.EntradasPatrones[p][i]);
    }
    for (std::int32_t p = 1; p <= state.NumeroPatrones; ++p) {
        for (std::int32_t k = 1; k <= ns; ++k) patterns.Salidas.push_back(state.SalidasPatrones[p][k]);
    }
    return patterns;
}
