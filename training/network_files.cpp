// SPDX-License-Identifier: GPL-3.0-or-later
#include "network_files.h"

#include "list_choices.h"
#include "network.h"
#include "random_generator.h"
#include "work_state.h"

namespace {

// A table of the working state and its count, the training set's or the test set's.
struct Table {
    std::int32_t& count;
    PatternTable& inputs;
    PatternTable& outputs;
};

void TakePatterns(const FilePatterns& patterns, const NetworkHeader& header, Table table) {
    const std::int32_t ne = header.NumeroEntradas;
    const std::int32_t ns = header.NeuronasCapaSalida;
    table.count = patterns.NumeroPatrones;
    for (std::int32_t p = 1; p <= patterns.NumeroPatrones; ++p) {
        for (std::int32_t i = 1; i <= ne; ++i) {
            table.inputs[p][i] = patterns.Entradas[static_cast<std::size_t>((p - 1) * ne + i - 1)];
        }
    }
    for (std::int32_t p = 1; p <= patterns.NumeroPatrones; ++p) {
        for (std::int32_t k = 1; k <= ns; ++k) {
            table.outputs[p][k] = patterns.Salidas[static_cast<std::size_t>((p - 1) * ns + k - 1)];
        }
    }
}

FilePatterns SavedPatterns(std::int32_t count, const PatternTable& inputs, const PatternTable& outputs,
                           const TRedNeuronal& network) {
    const std::int32_t ne = network.NumeroEntradas();
    const std::int32_t ns = network.NeuronasCapaSalida();
    FilePatterns patterns;
    patterns.NumeroPatrones = count;
    for (std::int32_t p = 1; p <= count; ++p) {
        for (std::int32_t i = 1; i <= ne; ++i) patterns.Entradas.push_back(inputs[p][i]);
    }
    for (std::int32_t p = 1; p <= count; ++p) {
        for (std::int32_t k = 1; k <= ns; ++k) patterns.Salidas.push_back(outputs[p][k]);
    }
    return patterns;
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
    std::optional<LearningSettings> learning;
    if (description.Patterns) {
        TakePatterns(*description.Patterns, header, {state.NumeroPatrones, state.EntradasPatrones, state.SalidasPatrones});
        state.TestPatternCount = 0;
        if (description.TestPatterns) {
            TakePatterns(*description.TestPatterns, header, {state.TestPatternCount, state.TestInputs, state.TestOutputs});
        }
        state.InputNames = description.InputNames;
        state.OutputNames = description.OutputNames;
        learning = description.Learning.value_or(LearningSettings{});
    }
    const RandomGenerator::WeightsSequence weights(RandomGenerator::WeightsSequence::Start::Restart);
    Configure(network, header);
    state.RedCreada = true;
    if (description.Kind == NetworkFileKind::Untrained) {
        // A fixed seed starts the weights the network keeps, not those the
        // writers above drew and this replaces.
        RandomGenerator::RestartFixedSequence();
        network.InicializarPesos();
    } else {
        PutWeights(network.CapaOculta, description.HiddenWeights);
        PutWeights(network.CapaSalida, description.OutputWeights);
    }
    // The weights are the file's or fresh; the patterns, when taken, a file's.
    state.unsaved.weights = false;
    if (description.Patterns) state.unsaved.patterns = false;

    return {description.Kind, header, description.Patterns.has_value(), learning, description.Warning};
}

FilePatterns PatternsToSave(const WorkState& state, const TRedNeuronal& network) {
    return SavedPatterns(state.NumeroPatrones, state.EntradasPatrones, state.SalidasPatrones, network);
}

RnaBlocks BlocksToSave(const WorkState& state, const TRedNeuronal& network, const LearningSettings& learning) {
    return {SavedPatterns(state.TestPatternCount, state.TestInputs, state.TestOutputs, network), learning,
            state.InputNames, state.OutputNames};
}
