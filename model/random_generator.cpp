// SPDX-License-Identifier: GPL-3.0-or-later
#include "random_generator.h"

#include <utility>

namespace {

std::uint32_t state = 0;
std::function<TimeOfDay()> clock;
std::optional<std::uint32_t> fixedSeed;
bool inSequence = false;

}  // namespace

namespace RandomGenerator {

double Draw() {
    state = state * 134775813u + 1u;  // unsigned: wraps modulo 2^32
    return state / 4294967296.0;
}

void SeedFromClock() {
    if (fixedSeed || inSequence) return;
    const TimeOfDay h = clock ? clock() : GetSystemTime();
    state = static_cast<std::uint32_t>(((h.hour * 60 + h.minute) * 60 + h.second) * 1000 + h.millisecond);
}

void StartSequence() {
    if (fixedSeed)
        state = *fixedSeed;
    else
        SeedFromClock();
}

void RestartFixedSequence() {
    if (fixedSeed) state = *fixedSeed;
}

WeightsSequence::WeightsSequence(Start start) : outer_(!inSequence) {
    if (start == Start::Restart) RestartFixedSequence();
    SeedFromClock();
    inSequence = true;
}

WeightsSequence::~WeightsSequence() {
    if (outer_) inSequence = false;
}

void SetFixedSeed(std::optional<std::uint32_t> seed) { fixedSeed = seed; }

std::optional<std::uint32_t> FixedSeed() { return fixedSeed; }

std::uint32_t State() { return state; }

void SetState(std::uint32_t updated) { state = updated; }

void SetClock(std::function<TimeOfDay()> updated) { clock = std::move(updated); }

}  // namespace RandomGenerator
