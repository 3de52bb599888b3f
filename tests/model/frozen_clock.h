// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Test helpers: a frozen clock for the random generator, and the draws a
// given seed must produce, computed independently of the generator.

#include <cstdint>
#include <vector>

#include "random_generator.h"

class FrozenClock {
public:
    explicit FrozenClock(TimeOfDay hour) { Set(hour); }
    ~FrozenClock() { RandomGenerator::SetClock({}); }
    FrozenClock(const FrozenClock&) = delete;
    FrozenClock& operator=(const FrozenClock&) = delete;
    void Set(TimeOfDay hour) {
        RandomGenerator::SetClock([hour] { return hour; });
    }
};

// Milliseconds of the day of a clock reading.
inline std::uint32_t Seed(TimeOfDay h) {
    return static_cast<std::uint32_t>(h.hour * 3600000 + h.minute * 60000 + h.second * 1000 + h.millisecond);
}

// The first `count` draws after seeding with `seed`, each minus 0.5 as
// a new weight or input slot receives it.
inline std::vector<double> DrawsMinusHalf(std::uint32_t seed, int count) {
    std::vector<double> v;
    std::uint64_t x = seed;
    for (int i = 0; i < count; ++i) {
        x = (x * 134775813ull + 1ull) % 4294967296ull;
        v.push_back(static_cast<double>(x) / 4294967296.0 - 0.5);
    }
    return v;
}
