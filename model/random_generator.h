// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The process-wide random generator: a 32-bit linear congruential state used
// for initial weights and for drawing training patterns.

#include <cstdint>
#include <functional>

#include "time_of_day.h"

namespace RandomGenerator {

// One draw in [0, 1): advances the state and returns it divided by 2^32.
double Draw();

// State := milliseconds of the UTC day, read through the current clock.
void SeedFromClock();

std::uint32_t State();
void SetState(std::uint32_t state);

// Replaces the clock the seeding reads (tests freeze it); {} restores the
// system clock.
void SetClock(std::function<TimeOfDay()> clock);

}  // namespace RandomGenerator
