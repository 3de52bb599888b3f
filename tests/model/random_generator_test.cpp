// SPDX-License-Identifier: GPL-3.0-or-later
#include "random_generator.h"

#include <gtest/gtest.h>

#include "frozen_clock.h"

TEST(RandomGenerator, SeedIsMillisecondsOfTheUtcDay) {
    FrozenClock clock({10, 20, 30, 400});
    RandomGenerator::SeedFromClock();
    EXPECT_EQ(RandomGenerator::State(), 37230400u);
    clock.Set({23, 59, 59, 999});
    RandomGenerator::SeedFromClock();
    EXPECT_EQ(RandomGenerator::State(), 86399999u);
}

TEST(RandomGenerator, DrawFromZeroGivesStateOneAndOneOverTwoToThe32) {
    RandomGenerator::SetState(0);
    EXPECT_EQ(RandomGenerator::Draw(), 1.0 / 4294967296.0);
    EXPECT_EQ(RandomGenerator::State(), 1u);
    EXPECT_EQ(RandomGenerator::Draw(), 134775814.0 / 4294967296.0);
}

TEST(RandomGenerator, StateWrapsModulo2To32AndDrawsStayBelowOne) {
    RandomGenerator::SetState(0xFFFFFFFFu);
    const double value = RandomGenerator::Draw();
    EXPECT_EQ(RandomGenerator::State(), 4160191484u);  // (2^32 - 1) * 134775813 + 1 mod 2^32
    EXPECT_EQ(value, 4160191484.0 / 4294967296.0);
    RandomGenerator::SetState(1298181734u);  // its successor is 2^32 - 1, the largest state
    EXPECT_LT(RandomGenerator::Draw(), 1.0);
    EXPECT_EQ(RandomGenerator::State(), 0xFFFFFFFFu);
}

TEST(RandomGenerator, SystemClockGivesATimeOfDay) {
    const TimeOfDay h = GetSystemTime();
    EXPECT_GE(h.hour, 0);
    EXPECT_LT(h.hour, 24);
    EXPECT_GE(h.minute, 0);
    EXPECT_LT(h.minute, 60);
    EXPECT_GE(h.second, 0);
    EXPECT_LT(h.second, 60);
    EXPECT_GE(h.millisecond, 0);
    EXPECT_LT(h.millisecond, 1000);
    {
        FrozenClock clock({0, 0, 0, 1});
    }  // restores the system clock
    RandomGenerator::SeedFromClock();
    EXPECT_LT(RandomGenerator::State(), 86400000u);
}
