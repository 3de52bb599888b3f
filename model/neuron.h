// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One processing unit: its weights, a copy of its inputs, its configuration
// and the output of its last computation. Neurons live in a layer, whose
// storage holds their arrays.

#include <cstdint>

#include "activation_settings.h"
#include "layer_storage.h"

class TNeurona : public ActivationSettings {
public:
    // Takes column `column` of the layer's storage, then initialises itself
    // as a new neuron: 2 inputs, fresh random weights.
    TNeurona(LayerStorage& storage, int column);
    TNeurona(const TNeurona&) = delete;
    TNeurona& operator=(const TNeurona&) = delete;

    // Pesos[0] is the bias weight, paired with the constant input Entradas[0] = -1;
    // both are indexed 0..NumeroEntradas().
    StorageColumn Pesos;
    StorageColumn Entradas;
    // Each weight's change in the last step taken with momentum, indexed as
    // Pesos; InicializarPesos sets them to 0.
    StorageColumn previousChanges;

    void SetUmbral(double threshold) { threshold_ = threshold; }
    std::int32_t NumeroEntradas() const { return inputCount_; }
    // Resizes to 0..n (n in 0..32) and re-initialises, even when n is unchanged.
    void SetNumeroEntradas(std::int32_t n);
    void SetReglaPropagacion(TReglaPropagacion rule) { rule_ = rule; }
    void SetFuncionTransferencia(TFuncionTransferencia function) { transfer_ = function; }
    void SetFuncionSalida(TFuncionSalida function) { outputFunction_ = function; }
    double Salida() const;

    // Re-seeds the generator from the clock, then draws bias weight, then for
    // each input its slot and its weight, each as a draw minus 0.5. The
    // previous changes go to 0: momentum does not carry over new weights.
    void InicializarPesos();
    // Weighted sum, transfer and output function into Salida; throws
    // ProgramError("Floating point overflow") leaving Salida as it was. The
    // one-neuron reference of what the network's passes compute for a whole
    // layer at once (internal/layer_forward_pass.h), which do not call it.
    void CalcularSalida();

private:
    LayerStorage* storage_;
    int column_;
    std::int32_t inputCount_ = 2;
};
