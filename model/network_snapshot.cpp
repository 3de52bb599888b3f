// SPDX-License-Identifier: GPL-3.0-or-later
#include "network_snapshot.h"

#include "network.h"

namespace {

// Weights 0..n of neurons 1..count, and their last outputs.
void CopyLayer(const TCapaNeuronal& layer, int count, int n, std::vector<std::vector<double>>& weights,
               std::vector<double>& outputs) {
    weights.assign(static_cast<std::size_t>(count), std::vector<double>(static_cast<std::size_t>(n) + 1));
    outputs.assign(static_cast<std::size_t>(count), 0.0);
    for (int j = 1; j <= count; ++j) {
        const TNeurona& neuron = layer.Neuronas[j];
        auto& row = weights[static_cast<std::size_t>(j - 1)];
        for (std::size_t k = 0; k < row.size(); ++k) row[k] = neuron.Pesos[k];
        outputs[static_cast<std::size_t>(j - 1)] = neuron.Salida();
    }
}

}  // namespace

NetworkSnapshot TakeSnapshot(const TRedNeuronal& network) {
    NetworkSnapshot snapshot;
    snapshot.inputs = network.NumeroEntradas();
    snapshot.hidden = network.NeuronasCapaOculta();
    snapshot.outputs = network.NeuronasCapaSalida();
    snapshot.function = network.FuncionTransferencia();
    CopyLayer(network.CapaOculta, snapshot.hidden, snapshot.inputs, snapshot.hiddenWeights, snapshot.hiddenOutputs);
    CopyLayer(network.CapaSalida, snapshot.outputs, snapshot.hidden, snapshot.outputWeights, snapshot.outputValues);
    return snapshot;
}
