// SPDX-License-Identifier: GPL-3.0-or-later
#include "execution.h"

#include "program_error.h"
#include "recording_views.h"
#include "rounding.h"
#include "test_network.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

struct Rounding {
    std::int32_t decimals;
    double x;
    double result;
};

class RoundingTable : public ::testing::TestWithParam<Rounding> {};

TEST_P(RoundingTable, TruncatesTheScaledValuePlusOneHalf) {
    const Rounding& r = GetParam();
    EXPECT_EQ(Redondear(r.decimals, r.x), r.result);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RoundingTable,
    ::testing::Values(Rounding{2, 0.125, 0.13}, Rounding{2, 0.1249, 0.12}, Rounding{0, 2.5, 3},
                      Rounding{0, 2.4999, 2}, Rounding{0, -2.5, -2}, Rounding{0, -2.6, -2},
                      Rounding{1, -0.17, -0.1}, Rounding{1, -0.12, 0}, Rounding{1, -0.25, -0.2},
                      Rounding{2, 1.005, 1}, Rounding{8, 0.123456789, 0.12345679}, Rounding{0, 0.5, 1},
                      Rounding{0, 0.4999, 0}, Rounding{3, 0.5, 0.5},
                      // Scaled by 10^(d+1), plus 5, over 10: trunc(x·10^d + 0.5) gives 0.28 and 1.2.
                      Rounding{2, 0.285, 0.29}, Rounding{1, 1.15, 1.1},
                      // Decimals a field has not yet clamped take the nearer bound.
                      Rounding{9, 0.123456789, 0.12345679}, Rounding{std::numeric_limits<std::int32_t>::max(), 0.5, 0.5},
                      Rounding{-1, 2.5, 3}, Rounding{std::numeric_limits<std::int32_t>::min(), 2.4999, 2}));

TEST(Redondear, ScaledValueBeyondTheDoubleRangeIsAnOverflow) {
    EXPECT_THROW(Redondear(8, 1e300), ProgramError);
    EXPECT_DOUBLE_EQ(Redondear(0, 1e300), 1e300);
}

class Execution : public ::testing::Test {
protected:
    void SetUp() override {
        FreezeClock();
        Configure(network, 3, 1, 2, ftIdentidad);
        // Output j = its bias term alone: -Pesos[0].
        network.CapaSalida.Neuronas[1].Pesos[0] = 0.17;
        network.CapaSalida.Neuronas[1].Pesos[1] = 0.0;
        network.CapaSalida.Neuronas[2].Pesos[0] = -0.5;
        network.CapaSalida.Neuronas[2].Pesos[1] = 0.0;
        for (int i = 1; i <= 4; ++i) view.inputs.numbers[{1, i}] = i;
    }
    void TearDown() override { RandomGenerator::SetClock({}); }

    TRedNeuronal network;
    WorkState state;
    RecordingExecutionTab view;
};

TEST_F(Execution, RefusedWithoutNetwork) {
    Execute(state, network, view);
    EXPECT_EQ(network.Entradas[1], 0.0);
    EXPECT_EQ(view.outputs.writes, 0);
}

TEST_F(Execution, ReadsOneRowPerInputAndRoundsEveryOutput) {
    state.RedCreada = true;
    network.Entradas[4] = -3;
    view.decimals = 1;
    Execute(state, network, view);
    EXPECT_EQ(network.Entradas[1], 1.0);
    EXPECT_EQ(network.Entradas[3], 3.0);
    EXPECT_EQ(network.Entradas[4], -3.0);
    EXPECT_EQ(network.SalidasObtenidas[1], -0.17);
    EXPECT_EQ(view.outputs.numbers, (std::map<Cell, double>{{{1, 1}, -0.1}, {{1, 2}, 0.5}}));
    EXPECT_EQ(view.decimalReads, 2);
}

}  // namespace
