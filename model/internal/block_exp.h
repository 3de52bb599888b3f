// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// e^x for the four lanes of a block at once, each lane rounded exactly as
// Exp rounds it (internal to the layer code).

#include <cstdint>

#include "exp.h"
#include "layer_rows.h"
#include "power_table.h"
#include "quick_exp.h"

typedef std::uint64_t UnsignedBlock __attribute__((vector_size(32), aligned(32), may_alias));

// Whether every lane of m is set; with AVX, from the lanes' sign bits in one instruction.
template <bool Avx = false>
[[gnu::always_inline]] inline bool AllTrue(const Mask& m) {
    if constexpr (Avx)
        return SignBits((Block)m) == 15;
    else
        return (m[0] & m[1] & m[2] & m[3]) != 0;
}

// The lanes the quick value left unsettled, by the slower levels. Out of
// line, so the caller keeps its values in registers across it.
[[gnu::noinline, gnu::cold]] inline void SettleLanes(const Block& x, Block& y, const Mask& settled) {
    for (int i = 0; i < kLanes; ++i)
        if (!settled[i]) y[i] = PreciseExp(x[i]);
}

// e^x of each lane, quick, with the lanes it settles in settled; fused
// multiply-add when the caller is compiled for it.
template <bool Fma>
[[gnu::always_inline]] inline Block QuickExpBlock(const Block& x, Mask& settled) {
    struct Entries {
        Block high, relative;
    };
    const auto load = [](const UnsignedBlock& j) {
        const PowerOfTwo &a = kPowerTable[j[0]], &b = kPowerTable[j[1]], &c = kPowerTable[j[2]],
                            &d = kPowerTable[j[3]];
        return Entries{{a.high, b.high, c.high, d.high}, {a.relative, b.relative, c.relative, d.relative}};
    };
    return QuickLevel::QuickExp<Fma, Block, UnsignedBlock>(x, load, settled);
}
