// SPDX-License-Identifier: GPL-3.0-or-later
#include "worked_step.h"

#include <cmath>
#include <cstddef>

#include "activation.h"
#include "network.h"
#include "neuron_kernel.h"
#include "program_error.h"

namespace {

void Check(bool finite) {
    if (!finite) throw ProgramError(kOverflowMessage);
}

// One neuron forward: the weighted sum from 0, bias input −1 first, then f.
ForwardValues Forward(TFuncionTransferencia function, const std::vector<double>& w, std::span<const double> x) {
    ForwardValues v;
    const double s = WeightedSum<double>(-1.0, w[0], static_cast<int>(w.size()) - 1, x, w);
    v.sum = s;
    Check(std::isfinite(s));
    if (function == ftSigmoide) {
        v.expMinus = Exp(-s);
        Check(!std::isinf(v.expMinus));
        v.output = Sigmoid(v.expMinus);
    } else if (function == ftTangenteHiperbolica) {
        v.expPlus = Exp(s);
        v.expMinus = Exp(-s);
        Check(!std::isinf(v.expPlus) && !std::isinf(v.expMinus));
        v.output = Tangent(v.expPlus, v.expMinus);
    } else {
        v.output = *Activation(function, fsIdentidad, 0, s);
    }
    return v;
}

// A layer's weights neuron by neuron, each from w0 to wn; input(k) is what
// weight k multiplies. Each weight's change reads only values of before the
// step, so the order changes no value.
template <class Input>
void ChangeWeights(WorkedStep& step, StepLayer layer, const std::vector<std::vector<double>>& weights,
                   const std::vector<std::vector<double>>& previousChanges, const std::vector<DeltaValues>& deltas,
                   std::size_t n, Input input) {
    for (std::size_t j = 0; j < weights.size(); ++j)
        for (std::size_t k = 0; k <= n; ++k) {
            WeightChange c;
            c.layer = layer;
            c.neuron = static_cast<int>(j) + 1;
            c.index = static_cast<int>(k);
            c.oldWeight = weights[j][k];
            c.input = k == 0 ? -1.0 : input(k);
            c.rateTimesDelta = RateTimesDelta(step.learningRate, deltas[j].delta);
            if (step.momentum != 0.0) {
                c.previousChange = previousChanges[j][k];
                c.momentumTerm = MomentumTerm(step.momentum, c.previousChange);
                c.change = MomentumChange(c.rateTimesDelta, c.input, step.momentum, c.previousChange);
                c.newWeight = ChangedWeight(c.oldWeight, c.change);
            } else {
                c.change = GradientChange(c.rateTimesDelta, c.input);
                c.newWeight = UpdatedWeight(c.oldWeight, c.rateTimesDelta, c.input);
            }
            Check(std::isfinite(c.newWeight));
            step.weights.push_back(c);
        }
}

}  // namespace

WorkedStep ComputeWorkedStep(const NetworkSnapshot& network, std::span<const double> inputs,
                             std::span<const double> expected) {
    WorkedStep step;
    step.function = network.function;
    step.learningRate = network.learning.LearningRate;
    step.momentum = network.learning.Momentum;
    step.inputs.assign(inputs.begin(), inputs.begin() + network.inputs);
    step.expected.assign(expected.begin(), expected.begin() + network.outputs);

    // Forward pass: every hidden neuron, then every output neuron on the hidden outputs.
    std::vector<double> y;
    for (const auto& w : network.hiddenWeights) {
        step.hidden.push_back(Forward(step.function, w, step.inputs));
        y.push_back(step.hidden.back().output);
    }
    for (const auto& w : network.outputWeights) step.output.push_back(Forward(step.function, w, y));

    step.learns = step.function == ftSigmoide || step.function == ftTangenteHiperbolica;
    if (!step.learns) return step;

    // Output deltas: δo = f′(o)·(d − o).
    for (std::size_t i = 0; i < step.output.size(); ++i) {
        DeltaValues d;
        const double o = step.output[i].output;
        d.derivative = Derivative(step.function, o);
        d.error = step.expected[i] - o;
        d.delta = Delta(step.function, o, d.error);
        step.outputDeltas.push_back(d);
    }
    // Hidden deltas: δh = f′(y)·Σ δo·w, through the output weights of before the step.
    for (std::size_t j = 0; j < step.hidden.size(); ++j) {
        DeltaValues d;
        d.derivative = Derivative(step.function, y[j]);
        double sum = 0.0;
        for (std::size_t i = 0; i < step.outputDeltas.size(); ++i)
            sum = sum + step.outputDeltas[i].delta * network.outputWeights[i][j + 1];
        d.error = sum;
        d.delta = Delta(step.function, y[j], d.error);
        step.hiddenDeltas.push_back(d);
    }
    for (const auto* deltas : {&step.outputDeltas, &step.hiddenDeltas})
        for (const DeltaValues& d : *deltas) Check(std::isfinite(d.delta));

    // Output weights, then hidden weights: w := w + (η·δ)·x, or w + ((η·δ)·x + α·Δw′) with momentum.
    ChangeWeights(step, StepLayer::Output, network.outputWeights, network.outputPreviousChanges, step.outputDeltas,
                  y.size(), [&](std::size_t k) { return y[k - 1]; });
    ChangeWeights(step, StepLayer::Hidden, network.hiddenWeights, network.hiddenPreviousChanges, step.hiddenDeltas,
                  step.inputs.size(), [&](std::size_t k) { return step.inputs[k - 1]; });
    return step;
}
