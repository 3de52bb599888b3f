// SPDX-License-Identifier: GPL-3.0-or-later
#include "network_snapshot.h"

#include "network.h"

namespace {

// Rows of n + 1 values for neurons 1..count, kept where they already are.
void Shape(std::vector<std::vector<double>>& rows, int count, int n) {
    rows.resize(static_cast<std::size_t>(count));
    for (auto& row : rows) row.resize(static_cast<std::size_t>(n) + 1);
}

// Weights 0..n of neurons 1..count, their previous changes and their last outputs.
void CopyLayer(const TCapaNeuronal& layer, int count, int n, std::vector<std::vector<double>>& weights,
               std::vector<std::vector<double>>& changes, std::vector<double>& outputs) {
    Shape(weights, count, n);
    Shape(changes, count, n);
    outputs.resize(static_cast<std::size_t>(count));
    for (int j = 1; j <= count; ++j) {
        const TNeurona& neuron = layer.Neuronas[j];
        const auto row = static_cast<std::size_t>(j - 1);
        for (std::size_t k = 0; k < weights[row].size(); ++k) {
            weights[row][k] = neuron.Pesos[k];
            changes[row][k] = neuron.previousChanges[k];
        }
        outputs[row] = neuron.Salida();
    }
}

void PutLayer(const std::vector<std::vector<double>>& weights, TCapaNeuronal& layer) {
    for (std::size_t row = 0; row < weights.size(); ++row)
        for (std::size_t k = 0; k < weights[row].size(); ++k)
            layer.Neuronas[static_cast<int>(row) + 1].Pesos[k] = weights[row][k];
}

}  // namespace

NetworkSnapshot TakeSnapshot(const TRedNeuronal& network) {
    NetworkSnapshot snapshot;
    TakeSnapshot(network, snapshot);
    return snapshot;
}

void TakeSnapshot(const TRedNeuronal& network, NetworkSnapshot& snapshot) {
    snapshot.inputs = network.NumeroEntradas();
    snapshot.hidden = network.NeuronasCapaOculta();
    snapshot.outputs = network.NeuronasCapaSalida();
    snapshot.function = network.FuncionTransferencia();
    snapshot.learning = network.Learning();
    CopyLayer(network.CapaOculta, snapshot.hidden, snapshot.inputs, snapshot.hiddenWeights,
              snapshot.hiddenPreviousChanges, snapshot.hiddenOutputs);
    CopyLayer(network.CapaSalida, snapshot.outputs, snapshot.hidden, snapshot.outputWeights,
              snapshot.outputPreviousChanges, snapshot.outputValues);
}

void RestoreWeights(const NetworkSnapshot& snapshot, TRedNeuronal& network) {
    PutLayer(snapshot.hiddenWeights, network.CapaOculta);
    PutLayer(snapshot.outputWeights, network.CapaSalida);
    network.ForgetPreviousChanges();
}
