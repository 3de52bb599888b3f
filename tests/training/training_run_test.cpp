// SPDX-License-Identifier: GPL-3.0-or-later
#include "training_run.h"

#include "program_error.h"
#include "recording_views.h"
#include "test_network.h"
#include "tick_counter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace {

class TrainingRun : public ::testing::Test {
protected:
    void SetUp() override {
        FreezeClock();
        TickCounter::SetCounter([] { return 0u; });
        ConfigureMirror(network);
        state.RedCreada = true;
        Pattern(1, 0.25, 0.5);  // error 50
        state.NumeroPatrones = 1;
    }
    void TearDown() override {
        RandomGenerator::SetClock({});
        TickCounter::SetCounter({});
    }

    // Pattern p: the mirror network gives `input` for an expected `output`.
    void Pattern(int p, double input, double output) {
        state.EntradasPatrones[p][1] = input;
        state.SalidasPatrones[p][1] = output;
    }
    // Asks for a stop at the k-th message processing (counted from 1).
    void StopWhenProcessing(int k) {
        view.onProcess = [this, k, times = 0]() mutable {
            if (++times == k) state.PararEntrenamiento = true;
        };
    }
    std::size_t Points() const { return view.chart.points.size(); }

    TRedNeuronal network;
    WorkState state;
    RecordingTrainingTab view;
};

TEST_F(TrainingRun, OneCycleMakesOnePointAtZeroAndWritesItsStatistics) {
    state.PararEntrenamiento = true;  // left from an earlier run
    view.totalCycles = 7;
    Train(state, network, view);
    EXPECT_EQ(view.chart.points, (std::vector<double>{50.0}));
    EXPECT_EQ(view.largestError, 50.0);
    EXPECT_EQ(view.smallestError, 50.0);
    EXPECT_EQ(view.totalCycles, 8);
    EXPECT_EQ(view.expected.numbers, (std::map<Cell, double>{{{1, 1}, 0.5}}));
    EXPECT_EQ(view.obtained.numbers, (std::map<Cell, double>{{{1, 1}, 0.25}}));
    EXPECT_EQ(view.opens, 1);
    EXPECT_EQ(view.closes, 1);
    EXPECT_TRUE(view.pointsWhenProcessing.empty());
}

TEST_F(TrainingRun, PointsAndTotalsAddUpAcrossRuns) {
    view.cycles = 5;
    Train(state, network, view);
    Train(state, network, view);
    ASSERT_EQ(Points(), 10u);
    EXPECT_EQ(view.totalCycles, 10);
}

TEST_F(TrainingRun, LargestAndSmallestAreThoseOfTheRunsOwnPoints) {
    Pattern(2, 0.9, 1.0);   // error 10
    Pattern(3, 0.25, 0.0);  // error 25
    state.NumeroPatrones = 3;
    view.cycles = 50;
    view.chart.points.assign(3, 2000.0);  // an earlier run's points
    Train(state, network, view);
    std::vector<double> errors;
    for (std::size_t i = 3; i < Points(); ++i) errors.push_back(view.chart.points[i]);
    ASSERT_EQ(errors.size(), 50u);
    EXPECT_EQ(view.largestError, *std::max_element(errors.begin(), errors.end()));
    EXPECT_EQ(view.smallestError, *std::min_element(errors.begin(), errors.end()));
    EXPECT_EQ(view.largestError, 50.0);
    EXPECT_DOUBLE_EQ(view.smallestError, 10.0);
}

TEST_F(TrainingRun, LargestStartsAtZeroAndSmallestAtAThousand) {
    Pattern(1, 1.0, 0.001);  // error 99900
    view.cycles = 3;
    Train(state, network, view);
    EXPECT_DOUBLE_EQ(view.largestError, 99900.0);
    EXPECT_EQ(view.smallestError, 1000.0);

    Pattern(1, 0.5, 0.5);  // error 0
    Train(state, network, view);
    EXPECT_EQ(view.largestError, 0.0);
    EXPECT_EQ(view.smallestError, 0.0);
}

TEST_F(TrainingRun, ZeroCyclesMakeNoIterationYetWriteTheStatistics) {
    view.cycles = 0;
    view.totalCycles = 4;
    network.SalidasEsperadas[1] = 0.75;
    network.SalidasObtenidas[1] = 0.125;
    Train(state, network, view);
    EXPECT_EQ(Points(), 0u);
    EXPECT_EQ(view.largestError, 0.0);
    EXPECT_EQ(view.smallestError, 1000.0);
    EXPECT_EQ(view.totalCycles, 4);
    EXPECT_EQ(view.expected.numbers.at({1, 1}), 0.75);
    EXPECT_EQ(view.obtained.numbers.at({1, 1}), 0.125);
    EXPECT_EQ(view.closes, 1);
}

TEST_F(TrainingRun, CycleRunProcessesMessagesBeforeEachTenThousandthIteration) {
    view.cycles = 25000;
    Train(state, network, view);
    EXPECT_EQ(Points(), 25000u);
    EXPECT_EQ(view.pointsWhenProcessing, (std::vector<std::size_t>{9999, 19999}));
}

TEST_F(TrainingRun, CycleCountIsReadAfreshBeforeEveryIteration) {
    view.cycles = 1000000;
    view.onProcess = [this] { view.cycles = 15000; };
    Train(state, network, view);
    EXPECT_EQ(Points(), 15000u);
}

TEST_F(TrainingRun, StopEndsACycleRunAtTheMultipleOfTenThousandWhereItWasSeen) {
    for (int k : {1, 3}) {
        view = RecordingTrainingTab{};
        view.cycles = 1000000;
        StopWhenProcessing(k);
        Train(state, network, view);
        EXPECT_EQ(Points(), 10000u * k) << "stop at processing " << k;
        EXPECT_EQ(view.totalCycles, 10000 * k);
        EXPECT_EQ(view.closes, 1);
    }
}

TEST_F(TrainingRun, LargestCycleCountStillEnds) {
    view.cycles = std::numeric_limits<std::int32_t>::max();
    // The stop makes the next cycle index one past the count; a run that
    // overflowed there would go on, so give up after a few processings.
    view.onProcess = [this, times = 0]() mutable {
        if (++times == 1) state.PararEntrenamiento = true;
        if (times > 3) throw std::runtime_error("the run did not end");
    };
    Train(state, network, view);
    EXPECT_EQ(Points(), 10000u);
}

class TrainingByError : public TrainingRun, public ::testing::WithParamInterface<StopCriterion> {
protected:
    void Umbral(std::int32_t threshold) {
        view.criterion = GetParam();
        view.largestThreshold = view.smallestThreshold = 1000;  // the other criterion's, not to be used
        (GetParam() == StopCriterion::LargestError ? view.largestThreshold : view.smallestThreshold) = threshold;
    }
};

TEST_P(TrainingByError, ProcessesMessagesBeforeTheFirstIterationAndEveryTenThousandOnly) {
    Umbral(100);
    Train(state, network, view);
    EXPECT_EQ(Points(), 1u);
    EXPECT_EQ(view.pointsWhenProcessing, (std::vector<std::size_t>{0}));
}

TEST_P(TrainingByError, EndsAfterTheFirstErrorStrictlyBelowTheThreshold) {
    Pattern(2, 0.9, 1.0);  // error 10
    state.NumeroPatrones = 2;
    Umbral(50);
    Train(state, network, view);
    ASSERT_GE(Points(), 1u);
    EXPECT_LT(view.chart.points.back(), 50.0);
    for (std::size_t i = 0; i + 1 < Points(); ++i) EXPECT_EQ(view.chart.points[i], 50.0);
    EXPECT_EQ(view.totalCycles, static_cast<std::int64_t>(Points()));
}

TEST_P(TrainingByError, StopEndsTheRunOneIterationAfterTheMultipleOfTenThousand) {
    for (int k : {1, 3}) {  // processing 1 comes before the first iteration
        view = RecordingTrainingTab{};
        Umbral(50);  // every error equals it, so only a stop ends the run
        StopWhenProcessing(k);
        Train(state, network, view);
        const std::size_t expected = 10000u * static_cast<std::size_t>(k - 1) + 1;
        EXPECT_EQ(Points(), expected) << "stop at processing " << k;
        EXPECT_EQ(view.totalCycles, static_cast<std::int64_t>(expected));
        EXPECT_EQ(view.closes, 1);
    }
}

TEST_P(TrainingByError, NegativeTargetsDoNotEndTheRunAtOnce) {
    Pattern(1, -0.25, -0.5);  // error 50
    Umbral(50);
    StopWhenProcessing(2);
    Train(state, network, view);
    EXPECT_EQ(Points(), 10001u);
    EXPECT_EQ(view.smallestError, 50.0);
}

INSTANTIATE_TEST_SUITE_P(Criteria, TrainingByError,
                         ::testing::Values(StopCriterion::LargestError, StopCriterion::SmallestError));

TEST_F(TrainingRun, RefusedWithoutNetworkOrPatterns) {
    const double weight = network.CapaOculta.Neuronas[1].Pesos[1];
    state.NumeroPatrones = 0;
    Train(state, network, view);
    state.NumeroPatrones = 1;
    state.RedCreada = false;
    Train(state, network, view);
    EXPECT_EQ(view.opens, 0);
    EXPECT_EQ(view.closes, 0);
    EXPECT_EQ(Points(), 0u);
    EXPECT_EQ(view.largestError, -1.0);
    EXPECT_EQ(view.totalCycles, 0);
    EXPECT_EQ(network.CapaOculta.Neuronas[1].Pesos[1], weight);
}

TEST_F(TrainingRun, AnErrorInsideARunKeepsTheStatisticsClosesTheProgressWindowAndGoesOn) {
    network.CapaOculta.Neuronas[1].Pesos[1] = 10.0;  // output 2.5 for 0.25: error 400
    view.cycles = 100000;
    view.totalCycles = 5;
    view.time = 1;
    view.onProcess = [this] { Pattern(1, 1e308, 0.5); };  // the next weighted sum overflows
    try {
        Train(state, network, view);
        ADD_FAILURE() << "the overflow did not reach the caller";
    } catch (const ProgramError& e) {
        EXPECT_STREQ(e.what(), "Floating point overflow");
    }
    EXPECT_EQ(Points(), 9999u);
    EXPECT_EQ(view.totalCycles, 5 + 9999);
    EXPECT_DOUBLE_EQ(view.largestError, 400.0);
    EXPECT_DOUBLE_EQ(view.smallestError, 400.0);
    EXPECT_EQ(view.time, 1);
    EXPECT_EQ(view.expected.numbers.at({1, 1}), 0.5);
    EXPECT_EQ(view.opens, 1);
    EXPECT_EQ(view.closes, 1);
    EXPECT_FALSE(view.progressOpen);
}

TEST_F(TrainingRun, AnErrorBetweenMessageProcessingsKeepsThePointsOfTheIterationsBeforeIt) {
    Pattern(1, 1e308, 0.5);  // overflows when first drawn, which is after pattern 2
    Pattern(2, 0.25, 0.5);
    state.NumeroPatrones = 2;
    view.cycles = 1000;
    EXPECT_THROW(Train(state, network, view), ProgramError);
    EXPECT_TRUE(view.pointsWhenProcessing.empty());
    ASSERT_GT(Points(), 0u);
    EXPECT_EQ(view.totalCycles, static_cast<std::int64_t>(Points()));
    for (std::size_t i = 0; i < Points(); ++i) {
        EXPECT_EQ(view.chart.points[i], 50.0);
    }
}

TEST_F(TrainingRun, TimeIsAddedAcrossAWrapOfTheTickCounter) {
    TickCounter::SetCounter([readings = 0]() mutable { return ++readings == 1 ? 0xFFFFFF00u : 0x100u; });
    view.time = 1000;
    Train(state, network, view);
    EXPECT_EQ(view.time, 1000 + 0x200);
}

TEST_F(TrainingRun, ResetClearsTheChartCountersAndOutputGridsAndRerandomises) {
    Configure(network, 1, 1, 2, ftSigmoide);
    network.CapaSalida.Neuronas[2].Pesos[1] = 7.0;
    view.chart.points.assign(4, 1.0);
    view.cycles = view.largestThreshold = view.smallestThreshold = 40;
    view.totalCycles = view.time = 9;
    view.largestError = view.smallestError = 3.0;
    view.criterion = StopCriterion::SmallestError;
    ResetTraining(network, view);
    EXPECT_EQ(Points(), 0u);
    EXPECT_EQ(view.cycles, 1);
    EXPECT_EQ(view.largestThreshold, 1);
    EXPECT_EQ(view.smallestThreshold, 1);
    EXPECT_EQ(view.totalCycles, 0);
    EXPECT_EQ(view.time, 0);
    EXPECT_EQ(view.largestError, 0.0);
    EXPECT_EQ(view.smallestError, 0.0);
    EXPECT_EQ(view.criterion, StopCriterion::SmallestError);
    for (RecordingTable* grid : {&view.expected, &view.obtained}) {
        EXPECT_EQ(grid->texts,
                  (std::map<Cell, std::string>{{{0, 1}, "Salida 1"}, {{0, 2}, "Salida 2"}, {{1, 0}, ""}}));
        EXPECT_EQ(grid->numbers, (std::map<Cell, double>{{{1, 1}, 0.0}, {{1, 2}, 0.0}}));
    }
    EXPECT_LT(network.CapaSalida.Neuronas[2].Pesos[1], 0.5);

    view.criterion = StopCriterion::CycleCount;
    Train(state, network, view);
    EXPECT_EQ(Points(), 1u);
}

// The output grids name the pattern whose outputs they show: that of the
// run's last iteration, or none when the run completed no iteration.
struct HeadingCase {
    std::int32_t cycles;
    bool named;
};

class OutputGridHeading : public TrainingRun, public ::testing::WithParamInterface<HeadingCase> {};

TEST_P(OutputGridHeading, NamesTheLastIterationsPattern) {
    Pattern(2, 0.75, 0.5);
    Pattern(3, 0.125, 0.25);
    state.NumeroPatrones = 3;
    view.expected.texts[Cell{1, 0}] = "Patrón 9";  // from an earlier run
    view.cycles = GetParam().cycles;
    Train(state, network, view);
    for (RecordingTable* grid : {&view.expected, &view.obtained}) {
        const std::string heading = grid->texts[Cell{1, 0}];
        if (!GetParam().named) {
            EXPECT_EQ(heading, "");
            continue;
        }
        ASSERT_EQ(heading.rfind("Patrón ", 0), 0u) << heading;
        const int p = std::stoi(heading.substr(std::string("Patrón ").size()));
        ASSERT_TRUE(p >= 1 && p <= 3) << heading;
        const double shown = view.expected.numbers[Cell{1, 1}];
        EXPECT_EQ(shown, state.SalidasPatrones[p][1]) << heading;
        EXPECT_EQ(network.Entradas[1], state.EntradasPatrones[p][1]) << heading;
    }
}

INSTANTIATE_TEST_SUITE_P(TrainingRun, OutputGridHeading,
                         ::testing::Values(HeadingCase{1, true}, HeadingCase{7, true}, HeadingCase{0, false}));

}  // namespace
