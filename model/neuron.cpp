// SPDX-License-Identifier: GPL-3.0-or-later
#include "neuron.h"

#include <stdexcept>

#include "activation.h"
#include "neuron_kernel.h"
#include "program_error.h"
#include "random_generator.h"

TNeurona::TNeurona(LayerStorage& storage, int column)
    : Pesos(&storage.weights[0][column]),
      Entradas(&storage.inputs[0][column]),
      previousChanges(&storage.previousChanges[0][column]),
      storage_(&storage),
      column_(column) {
    InicializarPesos();
}

void TNeurona::SetNumeroEntradas(std::int32_t n) {
    if (n < 0 || n > kMaxInputs) throw std::out_of_range("TNeurona: NumeroEntradas fuera de 0..32");
    inputCount_ = n;
    InicializarPesos();
}

double TNeurona::Salida() const { return storage_->outputs[column_]; }

void TNeurona::InicializarPesos() {
    RandomGenerator::SeedFromClock();
    for (std::size_t k = 0; k <= kMaxInputs; ++k) previousChanges[k] = 0.0;
    Entradas[0] = -1;
    Pesos[0] = RandomGenerator::Draw() - 0.5;
    for (std::size_t k = 1; k <= static_cast<std::size_t>(inputCount_); ++k) {
        Entradas[k] = RandomGenerator::Draw() - 0.5;
        Pesos[k] = RandomGenerator::Draw() - 0.5;
    }
}

void TNeurona::CalcularSalida() {
    // The weighted sum is the only propagation rule.
    const StorageColumn inputs(&Entradas[1]);  // the inputs after the bias input
    const double s = WeightedSum<double>(Entradas[0], Pesos[0], inputCount_, inputs, Pesos);
    const auto y = Activation(transfer_, outputFunction_, threshold_, s);
    if (!y) throw ProgramError(kOverflowMessage);
    storage_->outputs[column_] = *y;
}
