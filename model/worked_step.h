// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One backpropagation step written out value by value, in the order it is
// taught: forward pass, output deltas, hidden deltas, output weights, hidden
// weights. Every value is the one EntrenarPatron computes, bit for bit, so
// the step can be shown to a learner and then applied as it was shown.

#include <cstdint>
#include <span>
#include <vector>

#include "network_snapshot.h"

// What one neuron computes on the way forward.
struct ForwardValues {
    double sum = 0;       // s = (−1)·w0 + x1·w1 + … + xn·wn
    double expMinus = 0;  // e^(−s): sigmoid and hyperbolic tangent
    double expPlus = 0;   // e^s: hyperbolic tangent only
    double output = 0;    // y = f(s)
};

// One neuron's error term.
struct DeltaValues {
    double derivative = 0;  // f′ at the neuron's output
    double error = 0;       // output neuron: d − o; hidden neuron: Σ δo·w with the output weights of before the step
    double delta = 0;       // derivative · error
};

enum class StepLayer : std::uint8_t { Hidden, Output };

// One weight's correction: newWeight = oldWeight + change, the change being
// (η·δ)·input, plus α·Δw′ with momentum.
struct WeightChange {
    StepLayer layer = StepLayer::Output;
    int neuron = 0;  // 1..
    int index = 0;   // 0 is the bias weight, whose input is −1
    double oldWeight = 0;
    double input = 0;
    double rateTimesDelta = 0;  // η·δ of the neuron
    double previousChange = 0;  // Δw′, the change of the previous step with momentum; 0 without
    double momentumTerm = 0;    // α·Δw′; 0 without momentum
    double change = 0;          // Δw = (η·δ)·input, + α·Δw′ with momentum
    double newWeight = 0;
};

struct WorkedStep {
    TFuncionTransferencia function = ftSigmoide;
    double learningRate = kLearningRate;  // η in use
    double momentum = 0;                  // α in use; 0: no momentum term
    std::vector<double> inputs;    // x_k, [k − 1]
    std::vector<double> expected;  // d_i, [i − 1]
    std::vector<ForwardValues> hidden, output;  // [j − 1]
    // Only the sigmoid and the hyperbolic tangent learn; for the other
    // functions the step is the forward pass alone and the rest stays empty.
    bool learns = false;
    std::vector<DeltaValues> outputDeltas, hiddenDeltas;  // [j − 1]
    // Output weights, then hidden weights, grouped by neuron: neuron 1's w0
    // (the bias) to wn, then neuron 2's, and so on.
    std::vector<WeightChange> weights;
};

// The step the network copied in `network` takes on the pattern with inputs
// x_1..x_n and expected outputs d_1..d_O, with the network's η and α and,
// for momentum, its previous changes. Throws ProgramError("Floating
// point overflow") where EntrenarPatron would stop with it.
WorkedStep ComputeWorkedStep(const NetworkSnapshot& network, std::span<const double> inputs,
                             std::span<const double> expected);
