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
#include "program_error.h"

// The transfer function f, sigmoid or hyperbolic tangent, then the identity
// output, for the neurons of t, a block at a time: sumas in, salidas out.
// False when a sum is not finite or an exponential overflows; the
// neuron-by-neuron pass then finds the neuron that stops.
template <int MaxB, bool Fma>
[[gnu::always_inline]] inline bool ActivateBlocks(TFuncionTransferencia f, const Block* sums, const Span& t,
                                                  Block* outputs) {
    const bool sigmoide = f == ftSigmoide;
    // e^-s, and for the tangent e^s, of every block first; the rare lanes the
    // quick value leaves unsettled are put right before anything uses them.
    Block menos[MaxB], mas[MaxB], em[MaxB], ep[MaxB];
    Mask seguroMenos[MaxB], seguroMas[MaxB];
    Mask todos = ~Mask{};
    for (int b = 0; b < t.blocks; ++b) {
        mas[b] = OnlyActive(sums[b], t, b);  // lanes past the neurons compute e^0
        menos[b] = -mas[b];
        em[b] = QuickExpBlock<Fma>(menos[b], seguroMenos[b]);
        todos &= seguroMenos[b];
        if (!sigmoide) {
            ep[b] = QuickExpBlock<Fma>(mas[b], seguroMas[b]);
            todos &= seguroMas[b];
        }
    }
    if (!AllTrue<Fma>(todos)) [[unlikely]] {
        for (int b = 0; b < t.blocks; ++b) {
            if (!AllTrue(seguroMenos[b])) SettleLanes(menos[b], em[b], seguroMenos[b]);
            if (!sigmoide && !AllTrue(seguroMas[b])) SettleLanes(mas[b], ep[b], seguroMas[b]);
        }
    }

    Block nan = Block{};  // lanes turn NaN on a value that is not finite
    for (int b = 0; b < t.blocks; ++b) {
        if (sigmoide) {
            nan = nan + (mas[b] - mas[b]) + (em[b] - em[b]);
            outputs[b] = 1.0 / (1.0 + em[b]);
        } else {
            nan = nan + (mas[b] - mas[b]) + (ep[b] - ep[b]) + (em[b] - em[b]);
            outputs[b] = (ep[b] - em[b]) / (ep[b] + em[b]);
        }
    }
    return NoNaN<Fma>(nan);
}

// The same for a layer of one neuron, without the other lanes of a block:
// its exponentials need no gathering from the table, which shortens the
// step's chain of dependent operations.
template <bool Fma>
[[gnu::always_inline]] inline bool ActivateOne(TFuncionTransferencia f, double sum, Block& output) {
    const double em = QuickLevel::InlineExp<Fma>(-sum);
    double nan = (sum - sum) + (em - em);  // NaN on a value that is not finite
    if (f == ftSigmoide) {
        output = Block{1.0 / (1.0 + em)};
    } else {
        const double ep = QuickLevel::InlineExp<Fma>(sum);
        nan = nan + (ep - ep);
        output = Block{(ep - em) / (ep + em)};
    }
    return nan == nan;
}

// Whether neurons 1..neuronas all have the transfer function of the first,
// sigmoid or hyperbolic tangent, and the identity output.
inline bool SameFunctions(const LayerNeurons& neuronasCapa, int neurons) {
    const TFuncionTransferencia f = neuronasCapa[1].FuncionTransferencia();
    if (f != ftSigmoide && f != ftTangenteHiperbolica) return false;
    for (int j = 1; j <= neurons; ++j)
        if (neuronasCapa[j].FuncionTransferencia() != f || neuronasCapa[j].FuncionSalida() != fsIdentidad) return false;
    return true;
}

// The pass over at most MaxB blocks of neurons.
template <int MaxB, bool Fma>
[[gnu::always_inline]] inline void ComputeBlocks(LayerStorage& almacen, const LayerNeurons& neuronasCapa,
                                                   std::span<const double> x, int neurons, double* outputs) {
    const int n = static_cast<int>(x.size());

    const Span tramo = SpanOf<MaxB>(neurons);
    Block sums[MaxB];
    WeightedSums(almacen, x.data(), n, tramo, sums);

    // The usual layer, one function for all: a block of neurons at a time.
    Block activeLanes[MaxB];
    const TFuncionTransferencia f = neuronasCapa[1].FuncionTransferencia();
    if (SameFunctions(neuronasCapa, neurons) &&
        (MaxB == 1 && neurons == 1 ? ActivateOne<Fma>(f, sums[0][0], activeLanes[0])
                                   : ActivateBlocks<MaxB, Fma>(f, sums, tramo, activeLanes))) [[likely]] {
        // A block at a time: a copy of a varying count would become a call
        // to memcpy, slow to start, on the step's chain.
        for (int b = 0; b < tramo.blocks; ++b) {
            StoreActive(BlockAt(almacen.outputs, b), activeLanes[b], tramo, b);
            if (outputs && MaxB == 1 && neurons == 1) {
                outputs[0] = activeLanes[0][0];
            } else if (outputs) {
                Block target;
                std::memcpy(&target, outputs + b * kLanes, sizeof target);
                StoreActive(target, activeLanes[b], tramo, b);
                std::memcpy(outputs + b * kLanes, &target, sizeof target);
            }
        }
        CopyInputs(almacen, x.data(), n, tramo);
        return;
    }

    // Otherwise each neuron's own functions, in neuron order; the first overflow stops the layer.
    int done = 0;
    for (; done < neurons; ++done) {
        const TNeurona& neuron = neuronasCapa[done + 1];
        const auto y = Activation(neuron.FuncionTransferencia(), neuron.FuncionSalida(), neuron.Umbral(),
                                  sums[done / kLanes][done % kLanes]);
        if (!y) break;
        almacen.outputs[done] = *y;
        if (outputs) outputs[done] = *y;
    }
    // The failing neuron got its inputs.
    CopyInputs(almacen, x.data(), n, SpanOf<MaxB>(std::min(done + 1, neurons)));
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
