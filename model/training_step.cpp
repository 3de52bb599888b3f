// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>

#include "activation.h"
#include "layer_forward_pass.h"
#include "layer_rows.h"
#include "network.h"
#include "neuron_kernel.h"
#include "per_processor.h"
#include "program_error.h"

namespace {

// The row where some new weight would leave the double range, redone weight
// by weight in the order of the step: the weights before the first one out
// of range take their new value (and, with momentum, keep their change), the
// rest stay, and the error goes up.
template <bool Momentum>
[[noreturn, gnu::cold]] void CorrectUntilOverflow(LayerStorage& a, int k, int m, const Block* step, bool ownInputs,
                                                   double xk, double momentum) {
    for (int j = 0; j < m; ++j) {
        const double rateTimesDelta = step[j / kLanes][j % kLanes];
        const double x = ownInputs ? a.inputs[k][j] : xk;
        const double change = Momentum ? MomentumChange(rateTimesDelta, x, momentum, a.previousChanges[k][j])
                                       : GradientChange(rateTimesDelta, x);
        const double updated = Momentum ? ChangedWeight(a.weights[k][j], change)
                                        : UpdatedWeight(a.weights[k][j], rateTimesDelta, x);
        if (!std::isfinite(updated)) break;
        a.weights[k][j] = updated;
        if (Momentum) a.previousChanges[k][j] = change;
    }
    throw ProgramError(kOverflowMessage);
}

// Weight rows 0..rows-1 of the m neurons of t, one row after another as the
// step orders them. x is null when each neuron multiplies its own inputs;
// otherwise the network's inputs, x[k] for k >= 1, beside the bias input -1.
template <bool OwnInputs, bool Avx, bool Momentum>
[[gnu::always_inline]] inline void CorrectWeights(LayerStorage& a, int rows, int m, const Span& t,
                                                 const Block* step, const double* x, double momentum) {
    for (int k = 0; k < rows; ++k) {
        const double xk = OwnInputs ? 0.0 : k == 0 ? -1.0 : x[k];
        if (!CorrectRow<OwnInputs, Avx, Momentum>(a, k, t, step, xk, momentum))
            CorrectUntilOverflow<Momentum>(a, k, m, step, OwnInputs, xk, momentum);
    }
}

}  // namespace

// Neuron i is lane i-1 of the working blocks, whose lanes past the active
// neurons hold 0.
template <int MaxB, bool Fma, bool Momentum>
[[gnu::always_inline]] inline void TRedNeuronal::BackwardPass() {
    const int H = hiddenCount_, O = outputCount_, n = inputCount_;
    const Span hiddenSpan = SpanOf<MaxB>(H), outputSpan = SpanOf<MaxB>(O);
    LayerStorage& hiddenLayer = CapaOculta.storage_;
    LayerStorage& output = CapaSalida.storage_;
    Block outputDelta[MaxB], hiddenDelta[MaxB], step[MaxB];
    Block nan = Block{};  // lanes turn NaN when a delta is not finite

    // Output deltas.
    for (int b = 0; b < outputSpan.blocks; ++b) {
        // The outputs as the forward pass stored them, a block at a time.
        const Block obtainedOutput = BlockAt(output.outputs, b);
        const Block expectedValue = BlockOfScalars(&SalidasEsperadas[1 + b * kLanes]);
        outputDelta[b] = OnlyActive(Delta(transfer_, obtainedOutput, expectedValue - obtainedOutput), outputSpan, b);
        nan = nan + (outputDelta[b] - outputDelta[b]);
    }

    // Hidden deltas, through the output weights of before this step.
    for (int b = 0; b < hiddenSpan.blocks; ++b) {
        const Block y = BlockAt(hiddenLayer.outputs, b);
        const Block sum = DeltaSum(output, reinterpret_cast<const double*>(outputDelta), O, b);
        hiddenDelta[b] = OnlyActive(Delta(transfer_, y, sum), hiddenSpan, b);
        nan = nan + (hiddenDelta[b] - hiddenDelta[b]);
    }
    if (!NoNaN<Fma>(nan)) throw ProgramError(kOverflowMessage);

    // Output weights, bias first: Pesos[k] += (η·δo[i]) · the neuron's own input k (-1 for k = 0)
    // (+ α·Δw′ with momentum).
    const double rate = learning_.LearningRate, momentum = learning_.Momentum;
    for (int b = 0; b < outputSpan.blocks; ++b) step[b] = RateTimesDelta(rate, outputDelta[b]);
    CorrectWeights<true, Fma, Momentum>(output, H + 1, O, outputSpan, step, nullptr, momentum);

    // Hidden weights: the bias Pesos[0] -= η·δh[j], which is adding (η·δh[j]) · -1,
    // then Pesos[k] += (η·δh[j]) · Entradas[k] of the network (each + α·Δw′ with momentum).
    for (int b = 0; b < hiddenSpan.blocks; ++b) step[b] = RateTimesDelta(rate, hiddenDelta[b]);
    CorrectWeights<false, Fma, Momentum>(hiddenLayer, n + 1, H, hiddenSpan, step, Entradas.data(), momentum);
}

// Without momentum the step keeps no previous changes: the classic step.
template <int MaxB, bool Fma>
[[gnu::always_inline]] inline void TRedNeuronal::BackwardPassFor() {
    if (learning_.Momentum != 0.0)
        BackwardPass<MaxB, Fma, true>();
    else
        BackwardPass<MaxB, Fma, false>();
}

// Forward pass; then, for the two functions that learn, deltas and new weights.
template <bool Fma>
[[gnu::always_inline]] inline void TRedNeuronal::TrainingStepFor() {
    ForwardPassFor<Fma>();
    if (transfer_ != ftSigmoide && transfer_ != ftTangenteHiperbolica) return;
    // Layers that fit in one block have their own copy, with no loop over blocks.
    if (hiddenCount_ <= kLanes && outputCount_ <= kLanes)
        BackwardPassFor<1, Fma>();
    else
        BackwardPassFor<kMaxBlocks, Fma>();
}

void TRedNeuronal::EntrenarPatron() {
#ifndef PERCEPTLAB_BASELINE_ONLY
    if (kHasAvx2AndFma) return TrainingStepAvx2();
#endif
    TrainingStepBaseline();
}

void TRedNeuronal::TrainingStepBaseline() { TrainingStepFor<false>(); }

#ifndef PERCEPTLAB_BASELINE_ONLY
void TRedNeuronal::TrainingStepAvx2() { TrainingStepFor<true>(); }
#endif
