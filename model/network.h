// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The network: a hidden and an output layer, the value arrays through which
// the program talks to it, the forward pass and the training step. Its
// writers pass each value on to the layers and from them to the neurons;
// every change of a count gives the affected neurons fresh random weights.

#include <array>
#include <cstdint>

#include "activation_settings.h"
#include "layer.h"
#include "learning_settings.h"
#include "network_parameters.h"

// Indexed 1..32; element 0 is unused.
using NetworkValues = std::array<double, kMaxNeurons + 1>;

class TRedNeuronal : public ActivationSettings {
public:
    // Creates both layers, then takes H = 2, O = 1, n = 2 without the
    // writers (the output layer keeps its own 2 neurons until they run).
    TRedNeuronal() = default;
    TRedNeuronal(const TRedNeuronal&) = delete;
    TRedNeuronal& operator=(const TRedNeuronal&) = delete;

    TCapaNeuronal CapaOculta, CapaSalida;
    NetworkValues Entradas{};          // written by the caller before a pass
    NetworkValues SalidasEsperadas{};  // written by the caller before a training step
    NetworkValues SalidasObtenidas{};  // outputs of the last forward pass

    TRangoNeuronas NeuronasCapaOculta() const { return hiddenCount_; }
    // Re-randomises hidden neurons 1..h, then the active output neurons.
    void SetNeuronasCapaOculta(TRangoNeuronas h);
    TRangoNeuronas NeuronasCapaSalida() const { return outputCount_; }
    // Re-randomises output neurons 1..o.
    void SetNeuronasCapaSalida(TRangoNeuronas o);
    std::int32_t NumeroEntradas() const { return inputCount_; }
    // Re-randomises the active hidden neurons and zeroes Entradas[1..n].
    void SetNumeroEntradas(std::int32_t n);
    // Each writer passes its value on to both layers.
    void SetReglaPropagacion(TReglaPropagacion rule);
    void SetFuncionTransferencia(TFuncionTransferencia function);
    void SetFuncionSalida(TFuncionSalida function);
    void SetUmbral(double threshold);

    // η and α of EntrenarPatron; the defaults give the classic step.
    const LearningSettings& Learning() const { return learning_; }
    // Takes η (finite, above 0) and α (0 to below 1), or throws
    // std::out_of_range. A change of either forgets the previous changes, so
    // momentum starts afresh under the new settings.
    void SetLearning(const LearningSettings& settings);
    // Sets every weight's previous change to 0, as after InicializarPesos:
    // for weights put into the network from elsewhere.
    void ForgetPreviousChanges();

    // Fresh random weights in the active neurons, hidden layer first.
    void InicializarPesos();
    // Forward pass of Entradas[1..n] into SalidasObtenidas[1..O]. On overflow
    // the neurons already computed keep their results and the error is thrown.
    // The work is done a layer at a time, four neurons abreast
    // (internal/layer_forward_pass.h); TNeurona::CalcularSalida is the same
    // arithmetic for one neuron, and ComputeWorkedStep (worked_step.h) the
    // readable whole, both kept equal to this bit for bit by the tests.
    void Propagar();
    // One backpropagation step on the pattern in Entradas and
    // SalidasEsperadas, with the learning rate η and momentum α of Learning()
    // (by default 0.35 and none). SalidasObtenidas keeps the outputs from
    // before the weight change. Only sigmoid and hyperbolic tangent learn;
    // other functions make it a forward pass. With α ≠ 0 each weight's change
    // is kept for the next step (internal/neuron_kernel.h, MomentumChange).
    // Fast path of the step ComputeWorkedStep writes out value by value.
    void EntrenarPatron();

private:
    // The forward pass and the step, Fma when compiled for processors with
    // AVX2 and fused multiply-add (per_processor.h).
    template <bool Fma>
    void ForwardPassFor();
    template <bool Fma>
    void TrainingStepFor();
    void ForwardPassBaseline();
    void TrainingStepBaseline();
#ifndef PERCEPTLAB_BASELINE_ONLY
    [[gnu::target("avx2,fma")]] void ForwardPassAvx2();
    [[gnu::target("avx2,fma")]] void TrainingStepAvx2();
#endif
    // The deltas and the weight changes of EntrenarPatron, after its forward
    // pass, for layers of at most MaxB blocks of four neurons; Fma when
    // compiled for AVX2 and fused multiply-add; Momentum when α ≠ 0.
    template <int MaxB, bool Fma, bool Momentum>
    void BackwardPass();
    template <int MaxB, bool Fma>
    void BackwardPassFor();

    TRangoNeuronas hiddenCount_ = 2;
    TRangoNeuronas outputCount_ = 1;
    std::int32_t inputCount_ = 2;
    LearningSettings learning_;
};

// Puts a new network into the configuration the main window starts with:
// sum rule, sigmoid, identity output, 2 inputs, 2 hidden neurons, 1 output.
void PrepareStartUpNetwork(TRedNeuronal& network);
