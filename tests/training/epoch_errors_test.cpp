// SPDX-License-Identifier: GPL-3.0-or-later
// "Error por época" and the early stop of a training run, and the errors of
// a whole pattern set they are made of.

#include "network_snapshot.h"
#include "pattern_result.h"
#include "recording_views.h"
#include "set_error.h"
#include "test_network.h"
#include "tick_counter.h"
#include "training_run.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

// Pattern p of a table: one input and one output.
void Put(PatternTable& inputs, PatternTable& outputs, int p, double x, double d) {
    inputs[static_cast<std::size_t>(p)][1] = x;
    outputs[static_cast<std::size_t>(p)][1] = d;
}

std::vector<double> Weights(const TRedNeuronal& network) {
    std::vector<double> w;
    for (const TCapaNeuronal* layer : {&network.CapaOculta, &network.CapaSalida})
        for (int j = 1; j <= layer->NumeroNeuronas(); ++j)
            for (std::size_t k = 0; k <= static_cast<std::size_t>(layer->NumeroEntradas()); ++k)
                w.push_back(layer->Neuronas[j].Pesos[k]);
    return w;
}

class EpochRun : public ::testing::Test {
protected:
    void SetUp() override {
        FreezeClock();
        TickCounter::SetCounter([] { return 0u; });
        state.RedCreada = true;
    }
    void TearDown() override {
        RandomGenerator::SetClock({});
        TickCounter::SetCounter({});
    }
    // XOR coded 0.1/0.9 for training, on a 2-2-1 sigmoid network.
    void Xor(TRedNeuronal& network, WorkState& work) {
        Configure(network, 2, 2, 1);
        const double rows[4][3] = {{0.1, 0.1, 0.1}, {0.1, 0.9, 0.9}, {0.9, 0.1, 0.9}, {0.9, 0.9, 0.1}};
        for (int p = 1; p <= 4; ++p) {
            work.EntradasPatrones[p][1] = rows[p - 1][0];
            work.EntradasPatrones[p][2] = rows[p - 1][1];
            work.SalidasPatrones[p][1] = rows[p - 1][2];
        }
        work.NumeroPatrones = 4;
        work.RedCreada = true;
    }

    TRedNeuronal network;
    WorkState state;
    RecordingTrainingTab view;
};

}  // namespace

TEST(SetError, IsTheMeanOfHalfTheSummedSquares) {
    struct Case {
        std::vector<double> expected, outputs;
        double error;
    };
    for (const Case& c : {Case{{0.5}, {0.25}, 0.03125}, Case{{1, 2}, {0.5, 1}, 0.625}, Case{{-1, 0, 3}, {1, 0, 3}, 2},
                          Case{{}, {}, 0}})
        EXPECT_EQ(SquaredError(c.expected, c.outputs), c.error) << c.expected.size() << " outputs";

    // The mirror network answers its input: errors ½·0.25², ½·1², ½·0.
    TRedNeuronal mirror;
    ConfigureMirror(mirror);
    WorkState work;
    Put(work.EntradasPatrones, work.SalidasPatrones, 1, 0.25, 0.5);
    Put(work.EntradasPatrones, work.SalidasPatrones, 2, 1, 0);
    Put(work.EntradasPatrones, work.SalidasPatrones, 3, 0.7, 0.7);
    Put(work.TestInputs, work.TestOutputs, 1, 2, 0);
    SetErrors errors;
    const NetworkSnapshot snapshot = TakeSnapshot(mirror);
    const struct {
        std::int32_t training, test;
        double trainingError, testError;
    } sets[] = {{1, 1, 0.03125, 2}, {2, 0, 0.265625, NAN}, {3, 1, (0.03125 + 0.5 + 0) / 3, 2}, {0, 0, NAN, NAN}};
    for (const auto& s : sets) {
        work.NumeroPatrones = s.training;
        work.TestPatternCount = s.test;
        const double training = errors.MeanSquaredError(snapshot, TrainingPatterns(work));
        const double test = errors.MeanSquaredError(snapshot, TestPatterns(work));
        EXPECT_TRUE(training == s.trainingError || (std::isnan(training) && std::isnan(s.trainingError))) << s.training;
        EXPECT_TRUE(test == s.testError || (std::isnan(test) && std::isnan(s.testError))) << s.test;
    }
}

// "N de M dentro del umbral", for either set: the iteration error of each
// pattern against the threshold, an overflow never within.
TEST(ThresholdCount, CountsEachSetsPatternsWithinTheThreshold) {
    TRedNeuronal mirror;
    ConfigureMirror(mirror);
    WorkState work;
    Put(work.EntradasPatrones, work.SalidasPatrones, 1, 0.25, 0.5);  // 50 %
    Put(work.EntradasPatrones, work.SalidasPatrones, 2, 0.9, 1);     // 10 %
    Put(work.EntradasPatrones, work.SalidasPatrones, 3, 0.25, 0);    // 25 %
    work.NumeroPatrones = 3;
    Put(work.TestInputs, work.TestOutputs, 1, 1e308, -1e308);       // not finite
    Put(work.TestInputs, work.TestOutputs, 2, 0.5, 0.5);            // 0 %
    work.TestPatternCount = 2;
    const NetworkSnapshot snapshot = TakeSnapshot(mirror);
    const struct {
        bool test;
        double threshold;
        std::int32_t within, patterns;
    } cases[] = {{false, 25, 2, 3}, {false, 24.99, 1, 3}, {false, 50, 3, 3}, {false, 1, 0, 3},
                 {true, 1, 1, 2},   {true, 1e308, 1, 2}};
    for (const auto& c : cases) {
        const ThresholdCount count =
            CountWithinThreshold(snapshot, c.test ? TestPatterns(work) : TrainingPatterns(work), c.threshold);
        EXPECT_EQ(count.within, c.within) << (c.test ? "test " : "training ") << c.threshold;
        EXPECT_EQ(count.patterns, c.patterns) << (c.test ? "test " : "training ") << c.threshold;
    }
}

// Which epochs send their errors: every one up to 1000 epochs, then evenly
// spread so that a run of known length sends at most 1000; a run of unknown
// length (an error criterion, here stopped) doubles the spacing after every
// 1000 points.
TEST_F(EpochRun, SendsAtMostAThousandEvenlySpreadEpochs) {
    struct Case {
        StopCriterion criterion;
        std::int32_t patterns, cycles, stopAt;  // stopAt: the message processing that stops the run; 0 none
        std::size_t points;
        std::int64_t first, last;  // epochs
    };
    const Case cases[] = {
        {StopCriterion::CycleCount, 4, 10, 0, 2, 1, 2},             // the last, partial epoch is none
        {StopCriterion::CycleCount, 3, 3000, 0, 1000, 1, 1000},
        {StopCriterion::CycleCount, 4, 4004, 0, 500, 2, 1000},      // 1001 epochs, every 2nd
        {StopCriterion::CycleCount, 4, 10000, 0, 833, 3, 2499},     // 2500 epochs, every 3rd
        {StopCriterion::CycleCount, 1, 1000000, 0, 1000, 1000, 1000000},
        {StopCriterion::LargestError, 1, 0, 1, 1, 1, 1},            // stopped after iteration 1
        {StopCriterion::LargestError, 1, 0, 4, 4938, 1, 30000},     // 30001 iterations: 1000·4 + 938 (15008..30000)
    };
    ConfigureMirror(network);  // learns nothing: each pattern's error stays 50 %
    for (const Case& c : cases) {
        for (int p = 1; p <= c.patterns; ++p) Put(state.EntradasPatrones, state.SalidasPatrones, p, 0.25, 0.5);
        state.NumeroPatrones = c.patterns;
        view = RecordingTrainingTab();
        view.epochErrorsOn = true;
        view.criterion = c.criterion;
        view.cycles = c.cycles;
        view.largestThreshold = 1;
        if (c.stopAt > 0)
            view.onProcess = [this, k = c.stopAt, times = 0]() mutable {
                if (++times == k) state.PararEntrenamiento = true;
            };
        Train(state, network, view);
        const auto& points = view.epochErrors.points;
        ASSERT_EQ(points.size(), c.points) << c.patterns << " × " << c.cycles;
        EXPECT_EQ(points.front().epoch, c.first) << c.patterns << " × " << c.cycles;
        EXPECT_EQ(points.back().epoch, c.last) << c.patterns << " × " << c.cycles;
        for (std::size_t i = 1; i < points.size(); ++i) ASSERT_LT(points[i - 1].epoch, points[i].epoch);
        EXPECT_EQ(points.back().iteration, c.last * c.patterns);
        EXPECT_EQ(points.back().training, 0.03125);
        EXPECT_TRUE(std::isnan(points.back().test)) << "no test patterns";
    }
}

// The errors are measured without touching the network or the generator: a
// run with them ends bit for bit as one without, and each point is the set
// error of the network as it stood at the end of its epoch.
TEST_F(EpochRun, ErrorsChangeNothingAndMeasureTheEpochsEnd) {
    for (const std::int32_t cycles : {8, 4000, 12000}) {  // every epoch to 1000, then every 3rd
        TRedNeuronal measured, plain;
        WorkState work;
        Xor(measured, work);
        Xor(plain, work);
        work.TestPatternCount = 2;
        Put(work.TestInputs, work.TestOutputs, 1, 0.5, 0.3);
        work.TestInputs[1][2] = 0.2;
        work.TestInputs[2] = work.EntradasPatrones[2];
        work.TestOutputs[2] = work.SalidasPatrones[2];
        RecordingTrainingTab withErrors, without;
        withErrors.epochErrorsOn = true;
        withErrors.cycles = without.cycles = cycles;
        Train(work, measured, withErrors);
        Train(work, plain, without);
        EXPECT_EQ(Weights(measured), Weights(plain)) << cycles;
        EXPECT_EQ(withErrors.chart.points, without.chart.points) << cycles;
        EXPECT_EQ(measured.SalidasObtenidas, plain.SalidasObtenidas) << cycles;

        // The last point is at the run's end: both sets' errors of the network as it is.
        const EpochErrorPoint last = withErrors.epochErrors.points.back();
        ASSERT_EQ(last.iteration, cycles) << cycles;
        SetErrors errors;
        EXPECT_EQ(last.training, errors.MeanSquaredError(TakeSnapshot(plain), TrainingPatterns(work))) << cycles;
        EXPECT_EQ(last.test, errors.MeanSquaredError(TakeSnapshot(plain), TestPatterns(work))) << cycles;
        EXPECT_NE(withErrors.epochErrors.points.front().training, last.training) << "the network learns";
    }
}

// The test set asks for the opposite of XOR, so its error rises as the
// training set is learnt: the run stops K epochs after the best test error
// and the network holds the weights it had then, as a twin trained for
// exactly that long does.
TEST_F(EpochRun, EarlyStopTakesBackTheWeightsOfTheBestTestError) {
    struct Case {
        std::int32_t patience, testPatterns, cycles;
        double rate;
        bool stops;
    };
    const Case cases[] = {
        {1, 4, 100000, 0.35, true}, {5, 4, 100000, 0.35, true}, {50, 4, 100000, 2, true},
        {50, 4, 100, 0.35, false},  // too short to stop
        {5, 0, 4000, 0.35, false},  // no test patterns: no early stop
    };
    for (const Case& c : cases) {
        TRedNeuronal stopped, twin;
        WorkState work;
        Xor(stopped, work);
        Xor(twin, work);
        stopped.SetLearning({c.rate, 0});
        twin.SetLearning({c.rate, 0});
        work.TestPatternCount = c.testPatterns;
        for (int p = 1; p <= 4; ++p) {
            work.TestInputs[p] = work.EntradasPatrones[p];
            work.TestOutputs[p][1] = 1 - work.SalidasPatrones[p][1];
        }
        RecordingTrainingTab view;
        view.earlyStopEpochs = c.patience;
        view.cycles = c.cycles;
        const TrainingOutcome outcome = Train(work, stopped, view);
        const std::string where = "K " + std::to_string(c.patience) + ", η " + std::to_string(c.rate).substr(0, 4);
        ASSERT_EQ(outcome.stoppedEarly, c.stops) << where;
        if (!c.stops) {
            EXPECT_EQ(view.totalCycles, c.cycles) << where;
            continue;
        }
        // Stopped K epochs after the best one.
        EXPECT_EQ(view.totalCycles, outcome.bestIteration + 4 * c.patience) << where;
        RecordingTrainingTab twinView;
        twinView.cycles = static_cast<std::int32_t>(outcome.bestIteration);
        if (outcome.bestIteration > 0) Train(work, twin, twinView);
        EXPECT_EQ(Weights(stopped), Weights(twin)) << where;
        SetErrors errors;
        EXPECT_EQ(outcome.bestTestError, errors.MeanSquaredError(TakeSnapshot(twin), TestPatterns(work))) << where;
    }
}
