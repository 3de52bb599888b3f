#include "network_snapshot.h"

#include "network.h"

namespace {

// Weights 0..n of neurons 1..count, and their last outputs.
void CopyLayer(const TCapaNeuronal& capa, int count, int n, std::vector<std::vector<double>>& weights,
               std::vector<double>& outputs) {
    weights.assign(static_cast<std::size_t>(count), std::vector<double>(static_cast<std::size_t>(n) + 1));
    outputs.assign(static_cast<std::size_t>(count), 0.0);
    for (int j = 1; j <= count; ++j) {
        const TNeurona& neurona = capa.Neuronas[j];
        auto& row = weights[static_cast<std::size_t>(j - 1)];
        for (std::size_t k = 0; k < row.size(); ++k) row[k] = neurona.Pesos[k];
        outputs[static_cast<std::size_t>(j - 1)] = neurona.Salida();
    }
}

}  // namespace

NetworkSnapshot TakeSnapshot(const TRedNeuronal& red) {
    NetworkSnapshot snapshot;
    snapshot.inputs = red.NumeroEntradas();
    snapshot.hidden = red.NeuronasCapaOculta();
    snapshot.outputs = red.NeuronasCapaSalida();
    snapshot.function = red.FuncionTransferencia();
    CopyLayer(red.CapaOculta, snapshot.hidden, snapshot.inputs, snapshot.hiddenWeights, snapshot.hiddenOutputs);
    CopyLayer(red.CapaSalida, snapshot.outputs, snapshot.hidden, snapshot.outputWeights, snapshot.outputValues);
    return snapshot;
}
