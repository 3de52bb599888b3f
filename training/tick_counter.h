// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The millisecond tick counter that times training runs: 32 bits that wrap
// after about 49.7 days, so elapsed times are differences modulo 2^32.

#include <cstdint>
#include <functional>

namespace TickCounter {

// Milliseconds of the steady clock, reduced to 32 bits.
std::uint32_t GetTickCount();

// Milliseconds from `from` to `to`, across a wrap of the counter.
inline std::uint32_t Elapsed(std::uint32_t from, std::uint32_t to) {
    return to - from;
}

// Tests replace the counter; an empty function restores the steady clock.
void SetCounter(std::function<std::uint32_t()> counter);

}  // namespace TickCounter
