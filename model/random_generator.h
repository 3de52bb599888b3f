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
// Under a fixed seed the state is left as it is: the reseed of each neuron
// then draws on from the seed, so the neurons of a layer still differ.
void SeedFromClock();

// Where a training run's draws begin: state := the fixed seed when there is
// one, else SeedFromClock.
void StartSequence();

// Where the weights of a new network or a load begin: state := the fixed
// seed when there is one; else nothing, since each neuron reads the clock.
void RestartFixedSequence();

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
