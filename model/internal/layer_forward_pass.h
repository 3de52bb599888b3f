// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The forward pass that runs: a layer's, four neurons abreast, and the
// network's (Propagar and the start of EntrenarPatron). Defined here, inline,
// so that the network's forward pass compiles both layers into itself, and
// the training step the forward pass.

#include <algorithm>
#include <cstring>
#include <span>

#include "activation.h"
#include "block_exp.h"
#include "layer.h"
#include "layer_rows.h"
#include "network.h"
#include "neuron_kernel.h"
#include "program_error.h"

// The transfer function f, sigmoid or hyperbolic tangent, then the identity
// output, for the neurons of t, a block at a time: sums in, outputs out.
// False when a sum is not finite or an exponential overflows; the
// neuron-by-neuron pass then finds the neuron that stops.
template <int MaxB, bool Fma>
[[gnu::always_inline]] inline bool ActivateBlocks(TFuncionTransferencia f, const Block* sums, const Span& t,
                                                  Block* outputs) {
    const bool sigmoid = f == ftSigmoide;
    // e^-s, and for the tangent e^s, of every block first; the rare lanes the
    // quick value leaves unsettled are put right before anything uses them.
    Block minus[MaxB], plus[MaxB], em[MaxB], ep[MaxB];
    Mask settledMinus[MaxB], settledPlus[MaxB];
    Mask allSettled = ~Mask{};
    for (int b = 0; b < t.blocks; ++b) {
        plus[b] = OnlyActive(sums[b], t, b);  // lanes past the neurons compute e^0
        minus[b] = -plus[b];
        em[b] = QuickExpBlock<Fma>(minus[b], settledMinus[b]);
        allSettled &= settledMinus[b];
        if (!sigmoid) {
            ep[b] = QuickExpBlock<Fma>(plus[b], settledPlus[b]);
            allSettled &= settledPlus[b];
        }
    }
    if (!AllTrue<Fma>(allSettled)) [[unlikely]] {
        for (int b = 0; b < t.blocks; ++b) {
            if (!AllTrue(settledMinus[b])) SettleLanes(minus[b], em[b], settledMinus[b]);
            if (!sigmoid && !AllTrue(settledPlus[b])) SettleLanes(plus[b], ep[b], settledPlus[b]);
        }
    }

    Block nan = Block{};  // lanes turn NaN on a value that is not finite
    for (int b = 0; b < t.blocks; ++b) {
        if (sigmoid) {
            nan = nan + (plus[b] - plus[b]) + (em[b] - em[b]);
            outputs[b] = Sigmoid(em[b]);
        } else {
            nan = nan + (plus[b] - plus[b]) + (ep[b] - ep[b]) + (em[b] - em[b]);
            outputs[b] = Tangent(ep[b], em[b]);
        }
    }
    return NoNaN<Fma>(nan);
}

// The same for a layer of one neuron, without the other lanes of a block:
// its exponentials need no gathering from the table, which shortens the
// step's chain of dependent operations.
template <bool Fma>
[[gnu::always_inline]] inline bool ActivateOne(TFuncionTransferencia f, double sum, Block& output) {
    struct Exponential {  // a lambda's call is not always inlined here
        [[gnu::always_inline]] double operator()(double x) const { return QuickLevel::InlineExp<Fma>(x); }
    };
    double nan;  // NaN on a value that is not finite
    output = Block{Transfer(f, sum, Exponential{}, nan)};
    return nan == nan;
}

// Whether neurons 1..neurons all have the transfer function of the first,
// sigmoid or hyperbolic tangent, and the identity output.
inline bool SameFunctions(const LayerNeurons& layerNeurons, int neurons) {
    const TFuncionTransferencia f = layerNeurons[1].FuncionTransferencia();
    if (f != ftSigmoide && f != ftTangenteHiperbolica) return false;
    for (int j = 1; j <= neurons; ++j)
        if (layerNeurons[j].FuncionTransferencia() != f || layerNeurons[j].FuncionSalida() != fsIdentidad) return false;
    return true;
}

// The pass over at most MaxB blocks of neurons.
template <int MaxB, bool Fma>
[[gnu::always_inline]] inline void ComputeBlocks(LayerStorage& storage, const LayerNeurons& layerNeurons,
                                                   std::span<const double> x, int neurons, double* outputs) {
    const int n = static_cast<int>(x.size());

    const Span neuronSpan = SpanOf<MaxB>(neurons);
    Block sums[MaxB];
    WeightedSums(storage, x.data(), n, neuronSpan, sums);

    // The usual layer, one function for all: a block of neurons at a time.
    Block activeLanes[MaxB];
    const TFuncionTransferencia f = layerNeurons[1].FuncionTransferencia();
    if (SameFunctions(layerNeurons, neurons) &&
        (MaxB == 1 && neurons == 1 ? ActivateOne<Fma>(f, sums[0][0], activeLanes[0])
                                   : ActivateBlocks<MaxB, Fma>(f, sums, neuronSpan, activeLanes))) [[likely]] {
        // A block at a time: a copy of a varying count would become a call
        // to memcpy, slow to start, on the step's chain.
        for (int b = 0; b < neuronSpan.blocks; ++b) {
            StoreActive(BlockAt(storage.outputs, b), activeLanes[b], neuronSpan, b);
            if (outputs && MaxB == 1 && neurons == 1) {
                outputs[0] = activeLanes[0][0];
            } else if (outputs) {
                Block target;
                std::memcpy(&target, outputs + b * kLanes, sizeof target);
                StoreActive(target, activeLanes[b], neuronSpan, b);
                std::memcpy(outputs + b * kLanes, &target, sizeof target);
            }
        }
        CopyInputs(storage, x.data(), n, neuronSpan);
        return;
    }

    // Otherwise each neuron's own functions, in neuron order; the first overflow stops the layer.
    int done = 0;
    for (; done < neurons; ++done) {
        const TNeurona& neuron = layerNeurons[done + 1];
        const auto y = Activation(neuron.FuncionTransferencia(), neuron.FuncionSalida(), neuron.Umbral(),
                                  sums[done / kLanes][done % kLanes]);
        if (!y) break;
        storage.outputs[done] = *y;
        if (outputs) outputs[done] = *y;
    }
    // The failing neuron got its inputs.
    CopyInputs(storage, x.data(), n, SpanOf<MaxB>(std::min(done + 1, neurons)));
    if (done < neurons) throw ProgramError(kOverflowMessage);
}

// A layer that fits in one block has its own copy of the pass.
template <bool Fma>
[[gnu::always_inline]] inline void TCapaNeuronal::ComputeOutputs(std::span<const double> x, int neurons,
                                                                  double* outputs) {
    if (neurons <= kLanes)
        ComputeBlocks<1, Fma>(storage_, Neuronas, x, neurons, outputs);
    else
        ComputeBlocks<kMaxBlocks, Fma>(storage_, Neuronas, x, neurons, outputs);
}

// The network's forward pass, also inlined into its training step. Every
// hidden neuron is computed before any output neuron reads it.
template <bool Fma>
[[gnu::always_inline]] inline void TRedNeuronal::ForwardPassFor() {
    CapaOculta.ComputeOutputs<Fma>(std::span(Entradas).subspan(1, static_cast<std::size_t>(inputCount_)),
                                    hiddenCount_, nullptr);
    CapaSalida.ComputeOutputs<Fma>(
        std::span<const double>(CapaOculta.storage_.outputs, static_cast<std::size_t>(CapaSalida.NumeroEntradas())),
        outputCount_, SalidasObtenidas.data() + 1);
}
