// SPDX-License-Identifier: GPL-3.0-or-later
#include "network.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <span>
#include <stdexcept>

#include "layer_forward_pass.h"
#include "per_processor.h"

namespace {

// The arrays hold 32 neurons and 32 inputs; callers keep counts within them.
void Check(int value, int largest, const char* what) {
    if (value < 0 || value > largest) throw std::out_of_range(what);
}

}  // namespace

void TRedNeuronal::SetNeuronasCapaOculta(TRangoNeuronas h) {
    Check(h, kMaxNeurons, "TRedNeuronal: NeuronasCapaOculta fuera de 0..32");
    hiddenCount_ = h;
    CapaOculta.SetNumeroNeuronas(h);
    CapaSalida.SetNumeroEntradas(h);
}

void TRedNeuronal::SetNeuronasCapaSalida(TRangoNeuronas o) {
    Check(o, kMaxNeurons, "TRedNeuronal: NeuronasCapaSalida fuera de 0..32");
    outputCount_ = o;
    CapaSalida.SetNumeroNeuronas(o);
}

void TRedNeuronal::SetNumeroEntradas(std::int32_t n) {
    Check(n, kMaxInputs, "TRedNeuronal: NumeroEntradas fuera de 0..32");
    inputCount_ = n;
    CapaOculta.SetNumeroEntradas(n);
    std::fill_n(Entradas.begin() + 1, n, 0.0);
}

void TRedNeuronal::SetReglaPropagacion(TReglaPropagacion rule) {
    rule_ = rule;
    CapaOculta.SetReglaPropagacion(rule);
    CapaSalida.SetReglaPropagacion(rule);
}

void TRedNeuronal::SetFuncionTransferencia(TFuncionTransferencia function) {
    transfer_ = function;
    CapaOculta.SetFuncionTransferencia(function);
    CapaSalida.SetFuncionTransferencia(function);
}

void TRedNeuronal::SetFuncionSalida(TFuncionSalida function) {
    outputFunction_ = function;
    CapaOculta.SetFuncionSalida(function);
    CapaSalida.SetFuncionSalida(function);
}

void TRedNeuronal::SetUmbral(double threshold) {
    threshold_ = threshold;
    CapaOculta.SetUmbral(threshold);
    CapaSalida.SetUmbral(threshold);
}

void TRedNeuronal::SetLearning(const LearningSettings& settings) {
    if (!(settings.LearningRate > 0.0 && settings.LearningRate <= std::numeric_limits<double>::max()))
        throw std::out_of_range("TRedNeuronal: tasa de aprendizaje fuera de (0, ∞)");
    if (!(settings.Momentum >= 0.0 && settings.Momentum < 1.0))
        throw std::out_of_range("TRedNeuronal: momento fuera de [0, 1)");
    if (settings == learning_) return;
    learning_ = settings;
    ForgetPreviousChanges();
}

void TRedNeuronal::ForgetPreviousChanges() {
    for (TCapaNeuronal* layer : {&CapaOculta, &CapaSalida})
        for (auto& row : layer->storage_.previousChanges) std::fill(std::begin(row), std::end(row), 0.0);
}

void TRedNeuronal::InicializarPesos() {
    CapaOculta.InicializarPesos();
    CapaSalida.InicializarPesos();
}

void TRedNeuronal::Propagar() {
#ifndef PERCEPTLAB_BASELINE_ONLY
    if (kHasAvx2AndFma) return ForwardPassAvx2();
#endif
    ForwardPassBaseline();
}

void TRedNeuronal::ForwardPassBaseline() { ForwardPassFor<false>(); }

#ifndef PERCEPTLAB_BASELINE_ONLY
void TRedNeuronal::ForwardPassAvx2() { ForwardPassFor<true>(); }
#endif

void PrepareStartUpNetwork(TRedNeuronal& network) {
    network.SetReglaPropagacion(rpLineal);
    network.SetFuncionTransferencia(ftSigmoide);
    network.SetFuncionSalida(fsIdentidad);
    network.SetNumeroEntradas(2);
    network.SetNeuronasCapaOculta(2);
    network.SetNeuronasCapaSalida(1);
}
