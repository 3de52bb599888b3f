// SPDX-License-Identifier: GPL-3.0-or-later
#include "random_generator.h"

#include <gtest/gtest.h>

#include "frozen_clock.h"
#include "network.h"

#include <optional>
#include <set>
#include <vector>

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

// An action that gives new weights seeds once; every neuron of a new 2-8-1
// network then draws on in order, so the eight hidden neurons differ even
// when the clock does not move.
struct WeightsSequenceCase {
    const char* name;
    RandomGenerator::WeightsSequence::Start start;
    std::optional<std::uint32_t> fixedSeed;
    std::uint32_t firstState;  // where the draws begin
};

class NewWeights : public ::testing::TestWithParam<WeightsSequenceCase> {};

constexpr TimeOfDay kFrozen{11, 22, 33, 444};
constexpr std::uint32_t kStateBefore = 987654321u;

TEST_P(NewWeights, EveryNeuronDrawsOnFromOneSeed) {
    const WeightsSequenceCase& c = GetParam();
    FrozenClock clock(kFrozen);
    TRedNeuronal network;
    PrepareStartUpNetwork(network);
    network.SetNeuronasCapaOculta(8);
    RandomGenerator::SetFixedSeed(c.fixedSeed);
    RandomGenerator::SetState(kStateBefore);
    {
        const RandomGenerator::WeightsSequence weights(c.start);
        EXPECT_EQ(RandomGenerator::State(), c.firstState);
        network.InicializarPesos();
    }
    RandomGenerator::SetFixedSeed(std::nullopt);
    // Hidden neurons 1..8 (5 draws each: bias, then slot and weight per
    // input), then the output neuron's 17.
    const std::vector<double> draws = DrawsMinusHalf(c.firstState, 8 * 5 + 17);
    std::set<std::vector<double>> distinct;
    for (int j = 1; j <= 8; ++j) {
        const TNeurona& neuron = network.CapaOculta.Neuronas[j];
        const auto at = static_cast<std::size_t>((j - 1) * 5);
        const std::vector<double> weights{neuron.Pesos[0], neuron.Pesos[1], neuron.Pesos[2]};
        EXPECT_EQ(weights, (std::vector<double>{draws[at], draws[at + 2], draws[at + 4]})) << j;
        distinct.insert(weights);
    }
    EXPECT_EQ(distinct.size(), 8u);
    EXPECT_EQ(network.CapaSalida.Neuronas[1].Pesos[0], draws[40]);
    // Outside the action each neuron reads the clock again, as before.
    network.CapaOculta.Neuronas[1].InicializarPesos();
    EXPECT_EQ(network.CapaOculta.Neuronas[1].Pesos[0], DrawsMinusHalf(Seed(kFrozen), 1)[0]);
}

using Start = RandomGenerator::WeightsSequence::Start;

INSTANTIATE_TEST_SUITE_P(
    RandomGenerator, NewWeights,
    ::testing::Values(WeightsSequenceCase{"NewNetworkFromTheClock", Start::Restart, std::nullopt, Seed(kFrozen)},
                      WeightsSequenceCase{"ResetFromTheClock", Start::Continue, std::nullopt, Seed(kFrozen)},
                      // Under a fixed seed, as ever: a new network or a load
                      // starts from the seed, "Reiniciar" draws on.
                      WeightsSequenceCase{"NewNetworkFromTheSeed", Start::Restart, 77u, 77u},
                      WeightsSequenceCase{"ResetDrawsOn", Start::Continue, 77u, kStateBefore}),
    [](const ::testing::TestParamInfo<WeightsSequenceCase>& info) { return std::string(info.param.name); });
