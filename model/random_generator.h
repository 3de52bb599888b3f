// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The process-wide random generator: a 32-bit linear congruential state used
// for initial weights and for drawing training patterns.

#include <cstdint>
#include <functional>
#include <optional>

#include "time_of_day.h"

namespace RandomGenerator {

// One draw in [0, 1): advances the state and returns it divided by 2^32.
double Draw();

// State := milliseconds of the UTC day, read through the current clock.
// Under a fixed seed, or while a WeightsSequence lasts, the state is left as
// it is: the reseed of each neuron then draws on from where the action began,
// so the neurons of a layer differ.
void SeedFromClock();

// Where a training run's draws begin: state := the fixed seed when there is
// one, else SeedFromClock.
void StartSequence();

// Where the weights of a new network or a load begin under a fixed seed:
// state := the seed; without one, nothing.
void RestartFixedSequence();

// One action that gives new weights: a new network or a load (Restart), or
// "Reiniciar" (Continue). It seeds the generator once, from the clock, or
// under a fixed seed from the seed (Restart) or from where the state stands
// (Continue), and while it lasts every neuron draws on in order instead of
// reading the clock again: neurons initialised within one clock reading
// would otherwise all start alike.
class WeightsSequence {
public:
    enum class Start { Restart, Continue };
    explicit WeightsSequence(Start start);
    ~WeightsSequence();
    WeightsSequence(const WeightsSequence&) = delete;
    WeightsSequence& operator=(const WeightsSequence&) = delete;

private:
    bool outer_;
};

// A seed that replaces the clock, so that the same actions repeat the same
// weights and draws; nothing restores the clock.
void SetFixedSeed(std::optional<std::uint32_t> seed);
std::optional<std::uint32_t> FixedSeed();

std::uint32_t State();
void SetState(std::uint32_t state);

// Replaces the clock the seeding reads (tests freeze it); {} restores the
// system clock.
void SetClock(std::function<TimeOfDay()> clock);

}  // namespace RandomGenerator
