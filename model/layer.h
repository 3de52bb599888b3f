// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A layer: 32 neurons created once, of which the first NumeroNeuronas() take
// part; its writers pass each value on to those active neurons.

#include <array>
#include <cstdint>
#include <span>

#include "activation_settings.h"
#include "layer_storage.h"
#include "network_parameters.h"
#include "neuron.h"

// The 32 neurons of a layer, indexed 1..32.
class LayerNeurons {
public:
    explicit LayerNeurons(LayerStorage& storage);
    TNeurona& operator[](int j) { return neurons_[static_cast<std::size_t>(j - 1)]; }
    const TNeurona& operator[](int j) const { return neurons_[static_cast<std::size_t>(j - 1)]; }

private:
    std::array<TNeurona, kMaxNeurons> neurons_;
};

class TCapaNeuronal : public ActivationSettings {
    LayerStorage storage_;  // first: the neurons point into it

public:
    // Creates neurons 1..32 in order (each initialises itself), then takes
    // 2 active neurons of 2 inputs, the first value of each enumeration and
    // Umbral 0, without passing them on.
    TCapaNeuronal();
    TCapaNeuronal(const TCapaNeuronal&) = delete;
    TCapaNeuronal& operator=(const TCapaNeuronal&) = delete;

    LayerNeurons Neuronas;

    TRangoNeuronas NumeroNeuronas() const { return neuronCount_; }
    // Neurons 1..v get the layer's rule, functions, threshold and finally its
    // input count, so each of them is resized and re-randomised.
    void SetNumeroNeuronas(TRangoNeuronas v);
    std::int32_t NumeroEntradas() const { return inputCount_; }
    // Resizes and re-randomises every active neuron.
    void SetNumeroEntradas(std::int32_t n);
    // Each writer passes its value on to the active neurons.
    void SetReglaPropagacion(TReglaPropagacion rule);
    void SetFuncionTransferencia(TFuncionTransferencia function);
    void SetFuncionSalida(TFuncionSalida function);
    void SetUmbral(double threshold);

    // InicializarPesos of the active neurons, in index order.
    void InicializarPesos();

private:
    friend class TRedNeuronal;

    // Gives neurons 1..neurons the inputs x[0..] as their inputs 1..x.size()
    // and computes them in order; each output also goes to outputs[j-1] when
    // outputs is given. On overflow at neuron j the neurons before j are done,
    // neuron j has its inputs but keeps its output, later ones are untouched,
    // and ProgramError("Floating point overflow") is thrown. Defined inline in
    // layer_forward_pass.h; neurons is at most 32. Fma as in TRedNeuronal.
    template <bool Fma>
    void ComputeOutputs(std::span<const double> x, int neurons, double* outputs);

    std::int32_t inputCount_ = 2;
    TRangoNeuronas neuronCount_ = 2;
};
