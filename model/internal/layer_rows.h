// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Layer-wide arithmetic of the forward pass and the training step (internal).
//
// A layer's storage keeps one index (an input or a weight) of all its neurons
// side by side in one row, so these loops run across a row four neurons (one
// block) at a time, over only the blocks that hold active neurons. Each lane
// is one neuron doing exactly its own operations in its own order, so every
// result is bit for bit the one that neuron would compute alone. Lanes past
// the active neurons are computed along and never stored. Everything is
// inlined into the callers, which are compiled for AVX2 and for the baseline
// processor.

#include <cstdint>

#include "layer_storage.h"
#include "neuron_kernel.h"

typedef double Block __attribute__((vector_size(32), aligned(32), may_alias));
typedef std::int64_t Mask __attribute__((vector_size(32), aligned(32), may_alias));

constexpr int kLanes = 4;
constexpr int kMaxBlocks = kMaxNeurons / kLanes;

#define PERCEPTLAB_INLINE [[gnu::always_inline]] inline

PERCEPTLAB_INLINE Block& BlockAt(double* row, int b) { return reinterpret_cast<Block*>(row)[b]; }
PERCEPTLAB_INLINE const Block& BlockAt(const double* row, int b) { return reinterpret_cast<const Block*>(row)[b]; }

// Four scalars as a block, built in registers: a block load from freshly
// stored scalars would stall.
PERCEPTLAB_INLINE Block BlockOfScalars(const double* v) { return Block{v[0], v[1], v[2], v[3]}; }

// The blocks that hold neurons 0..m-1, and which lanes of the last one do.
// Code for layers that fit in one block asks for SpanOf<1>: the count is
// then a constant and every loop over blocks unrolls away.
struct Span {
    int blocks;
    Mask lastLanes;
};

template <int MaxB>
PERCEPTLAB_INLINE Span SpanOf(int m) {
    const int blocks = MaxB == 1 ? 1 : (m + kLanes - 1) / kLanes;
    const Mask lane = {0, 1, 2, 3};
    return {blocks, lane < static_cast<std::int64_t>(m - (blocks - 1) * kLanes)};
}

// Zeroes the lanes of block b that lie past the neurons of t.
PERCEPTLAB_INLINE Block OnlyActive(const Block& v, const Span& t, int b) {
    if (b + 1 < t.blocks) return v;
    return (Block)((Mask)v & t.lastLanes);
}

// Stores the lanes of `updated` that belong to the neurons of t; the others keep what they hold.
PERCEPTLAB_INLINE void StoreActive(Block& target, const Block& updated, const Span& t, int b) {
    if (b + 1 < t.blocks)
        target = updated;
    else
        target = (Block)(((Mask)updated & t.lastLanes) | ((Mask)target & ~t.lastLanes));
}

// The sign bits of the lanes of v, lane i in bit i, in one instruction; only
// for code compiled for AVX. A template, so that a build for the baseline
// processor alone, where the instruction is unknown, never compiles it.
template <class B>
PERCEPTLAB_INLINE int SignBits(const B& v) {
    return __builtin_ia32_movmskpd256(v);
}

// For a block whose lanes are each 0 or NaN: true when none is NaN. With
// AVX, from the lanes' sign bits; otherwise the halves are added as pairs
// first, which takes fewer instructions.
template <bool Avx = false>
PERCEPTLAB_INLINE bool NoNaN(const Block& v) {
    if constexpr (Avx) {
        return SignBits((Block)(v != v)) == 0;
    } else {
        typedef double Pair __attribute__((vector_size(16)));
        const Pair halves = Pair{v[0], v[1]} + Pair{v[2], v[3]};
        const double sum = halves[0] + halves[1];
        return sum == sum;
    }
}

// The weighted sums of the G blocks from g on: 0 + Entradas[0]·Pesos[0],
// then + x[k-1]·Pesos[k] for k = 1..n, the terms of WeightedSum. The blocks
// advance together in registers, so their additions overlap.
template <int G>
PERCEPTLAB_INLINE void GroupSums(const LayerStorage& a, const double* x, int n, int g, Block* sum) {
    Block s[G];
    for (int c = 0; c < G; ++c) s[c] = SumStart<Block>(BlockAt(a.inputs[0], g + c), BlockAt(a.weights[0], g + c));
    for (int k = 1; k <= n; ++k) {
        const double xk = x[k - 1];
        for (int c = 0; c < G; ++c) s[c] = SumStep(s[c], xk, BlockAt(a.weights[k], g + c));
    }
    for (int c = 0; c < G; ++c) sum[g + c] = s[c];
}

// The weighted sums of the neurons of t, eight or four blocks at a time
// while they last: each block's sum is a chain of dependent additions, and
// the more chains advance together, the more of their latency overlaps.
PERCEPTLAB_INLINE void WeightedSums(const LayerStorage& a, const double* x, int n, const Span& t, Block* sum) {
    int g = 0;
    for (; g + 8 <= t.blocks; g += 8) GroupSums<8>(a, x, n, g, sum);
    for (; g + 4 <= t.blocks; g += 4) GroupSums<4>(a, x, n, g, sum);
    for (; g < t.blocks; ++g) GroupSums<1>(a, x, n, g, sum);
}

// Entradas[k] := x[k-1], k = 1..n, of the neurons of t.
PERCEPTLAB_INLINE void CopyInputs(LayerStorage& a, const double* x, int n, const Span& t) {
    for (int k = 1; k <= n; ++k) {
        const Block value = Block{} + x[k - 1];
        for (int b = 0; b < t.blocks; ++b) StoreActive(BlockAt(a.inputs[k], b), value, t, b);
    }
}

// Lane m of block m of the 4×4 tile whose rows are r[0..3]: the tile transposed.
PERCEPTLAB_INLINE void Transpose(const Block r[4], Block t[4]) {
    const Block low01 = __builtin_shufflevector(r[0], r[1], 0, 4, 2, 6);
    const Block high01 = __builtin_shufflevector(r[0], r[1], 1, 5, 3, 7);
    const Block low23 = __builtin_shufflevector(r[2], r[3], 0, 4, 2, 6);
    const Block high23 = __builtin_shufflevector(r[2], r[3], 1, 5, 3, 7);
    t[0] = __builtin_shufflevector(low01, low23, 0, 1, 4, 5);
    t[1] = __builtin_shufflevector(high01, high23, 0, 1, 4, 5);
    t[2] = __builtin_shufflevector(low01, low23, 2, 3, 6, 7);
    t[3] = __builtin_shufflevector(high01, high23, 2, 3, 6, 7);
}

// For hidden neurons 4b..4b+3: the sum over output neurons i = 0..O-1, in
// that order, of delta[i] times the weight output neuron i gives them. The
// lanes run across the hidden neurons, so each sum keeps the order of i; the
// weights, stored across the output neurons, come a 4×4 tile at a time.
PERCEPTLAB_INLINE Block DeltaSum(const LayerStorage& output, const double* delta, int O, int b) {
    const int j = b * kLanes + 1;
    Block sum = Block{} + 0.0;
    for (int c = 0; c * kLanes < O; ++c) {
        const Block rows[4] = {BlockAt(output.weights[j], c), BlockAt(output.weights[j + 1], c),
                               BlockAt(output.weights[j + 2], c), BlockAt(output.weights[j + 3], c)};
        Block weights[4];
        Transpose(rows, weights);
        for (int m = 0; m < kLanes && c * kLanes + m < O; ++m) sum = sum + delta[c * kLanes + m] * weights[m];
    }
    return sum;
}

// Weight row k of the neurons of t: Pesos[k] := Pesos[k] + step[j]·x, x being
// the neuron's own Entradas[k] (OwnInputs) or else xk; with Momentum the
// change is step[j]·x + α·Δw′ and is kept as the row's next Δw′. The row is
// stored only when every new weight in it is within the double range; false
// otherwise.
template <bool OwnInputs, bool Avx, bool Momentum>
PERCEPTLAB_INLINE bool CorrectRow(LayerStorage& a, int k, const Span& t, const Block* step, double xk,
                                  double momentum) {
    Block updatedValues[kMaxBlocks], changes[kMaxBlocks];
    Block nan = Block{};  // lanes turn NaN when a result is infinite
    for (int b = 0; b < t.blocks; ++b) {
        const Block& w = BlockAt(a.weights[k], b);
        if constexpr (Momentum) {
            const Block& previous = BlockAt(a.previousChanges[k], b);
            if constexpr (OwnInputs)
                changes[b] = MomentumChange(step[b], BlockAt(a.inputs[k], b), momentum, previous);
            else
                changes[b] = MomentumChange(step[b], xk, momentum, previous);
            updatedValues[b] = ChangedWeight(w, changes[b]);
        } else if constexpr (OwnInputs) {
            updatedValues[b] = UpdatedWeight(w, step[b], BlockAt(a.inputs[k], b));
        } else {
            updatedValues[b] = UpdatedWeight(w, step[b], xk);
        }
        nan = nan + OnlyActive(updatedValues[b] - updatedValues[b], t, b);
    }
    if (!NoNaN<Avx>(nan)) return false;
    for (int b = 0; b < t.blocks; ++b) {
        StoreActive(BlockAt(a.weights[k], b), updatedValues[b], t, b);
        if constexpr (Momentum) StoreActive(BlockAt(a.previousChanges[k], b), changes[b], t, b);
    }
    return true;
}

#undef PERCEPTLAB_INLINE
