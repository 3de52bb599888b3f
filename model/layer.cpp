// SPDX-License-Identifier: GPL-3.0-or-later
#include "layer.h"

#include <stdexcept>
#include <utility>

namespace {

// Neurons 0..31 constructed in index order (a braced list is evaluated left
// to right), each initialising itself.
template <std::size_t... J>
std::array<TNeurona, kMaxNeurons> CreateNeurons(LayerStorage& storage, std::index_sequence<J...>) {
    return {TNeurona(storage, static_cast<int>(J))...};
}

void CheckNeurons(int v) {
    if (v > kMaxNeurons) throw std::out_of_range("TCapaNeuronal: NumeroNeuronas fuera de 0..32");
}

}  // namespace

LayerNeurons::LayerNeurons(LayerStorage& storage)
    : neurons_(CreateNeurons(storage, std::make_index_sequence<kMaxNeurons>())) {}

TCapaNeuronal::TCapaNeuronal() : Neuronas(storage_) {}

void TCapaNeuronal::SetNumeroNeuronas(TRangoNeuronas v) {
    CheckNeurons(v);
    neuronCount_ = v;
    for (int j = 1; j <= v; ++j) {
        TNeurona& neuron = Neuronas[j];
        neuron.SetReglaPropagacion(rule_);
        neuron.SetFuncionTransferencia(transfer_);
        neuron.SetFuncionSalida(outputFunction_);
        neuron.SetUmbral(threshold_);
        neuron.SetNumeroEntradas(inputCount_);
    }
}

void TCapaNeuronal::SetNumeroEntradas(std::int32_t n) {
    if (n < 0 || n > kMaxInputs) throw std::out_of_range("TCapaNeuronal: NumeroEntradas fuera de 0..32");
    inputCount_ = n;
    for (int j = 1; j <= neuronCount_; ++j) Neuronas[j].SetNumeroEntradas(n);
}

void TCapaNeuronal::SetReglaPropagacion(TReglaPropagacion rule) {
    rule_ = rule;
    for (int j = 1; j <= neuronCount_; ++j) Neuronas[j].SetReglaPropagacion(rule);
}

void TCapaNeuronal::SetFuncionTransferencia(TFuncionTransferencia function) {
    transfer_ = function;
    for (int j = 1; j <= neuronCount_; ++j) Neuronas[j].SetFuncionTransferencia(function);
}

void TCapaNeuronal::SetFuncionSalida(TFuncionSalida function) {
    outputFunction_ = function;
    for (int j = 1; j <= neuronCount_; ++j) Neuronas[j].SetFuncionSalida(function);
}

void TCapaNeuronal::SetUmbral(double threshold) {
    threshold_ = threshold;
    for (int j = 1; j <= neuronCount_; ++j) Neuronas[j].SetUmbral(threshold);
}

void TCapaNeuronal::InicializarPesos() {
    for (int j = 1; j <= neuronCount_; ++j) Neuronas[j].InicializarPesos();
}
