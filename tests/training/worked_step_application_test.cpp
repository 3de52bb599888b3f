// SPDX-License-Identifier: GPL-3.0-or-later
#include "training_run.h"

#include "recording_views.h"
#include "test_network.h"
#include "tick_counter.h"

#include <gtest/gtest.h>

namespace {

std::vector<double> Weights(const TRedNeuronal& network) {
    std::vector<double> w;
    for (const TCapaNeuronal* layer : {&network.CapaOculta, &network.CapaSalida})
        for (int j = 1; j <= layer->NumeroNeuronas(); ++j)
            for (std::size_t k = 0; k <= static_cast<std::size_t>(layer->NumeroEntradas()); ++k)
                w.push_back(layer->Neuronas[j].Pesos[k]);
    return w;
}

class WorkedStepApplication : public ::testing::TestWithParam<TFuncionTransferencia> {
protected:
    void SetUp() override {
        FreezeClock();  // both networks get the same weights
        TickCounter::SetCounter([ticks = 100u]() mutable { return ticks += 7; });
    }
    void TearDown() override {
        RandomGenerator::SetClock({});
        TickCounter::SetCounter({});
    }
};

}  // namespace

// Pattern 2 of three, worked out and applied, against a one-cycle run on a
// table holding that pattern alone.
TEST_P(WorkedStepApplication, LeavesNetworkAndTrainingTabAsAOneCycleRun) {
    TRedNeuronal network, twin;
    Configure(network, 3, 4, 2, GetParam());
    Configure(twin, 3, 4, 2, GetParam());
    WorkState state, alone;
    state.RedCreada = alone.RedCreada = true;
    state.NumeroPatrones = 3;
    alone.NumeroPatrones = 1;
    for (int p = 1; p <= 3; ++p)
        for (int k = 1; k <= 3; ++k) {
            state.EntradasPatrones[p][k] = 0.3 * p - 0.2 * k;
            state.SalidasPatrones[p][k] = 0.1 * (p + k);
        }
    alone.EntradasPatrones[1] = state.EntradasPatrones[2];
    alone.SalidasPatrones[1] = state.SalidasPatrones[2];
    RecordingTrainingTab applied, run;
    applied.chart.points = run.chart.points = {40.0, 30.0};
    applied.totalCycles = run.totalCycles = 2;

    const WorkedStep step = ComputeWorkedStepOnPattern(state, network, 2);
    const std::vector<double> before = Weights(network);
    const std::uint32_t generator = RandomGenerator::State();
    ApplyWorkedStep(state, network, 2, step, applied);
    EXPECT_EQ(RandomGenerator::State(), generator) << "a step draws no pattern";
    Train(alone, twin, run);

    EXPECT_EQ(Weights(network), Weights(twin));
    EXPECT_EQ(Weights(network) == before, GetParam() == ftIdentidad);
    EXPECT_EQ(network.SalidasObtenidas, twin.SalidasObtenidas);
    for (int j = 1; j <= 4; ++j) EXPECT_EQ(network.CapaOculta.Neuronas[j].Salida(), twin.CapaOculta.Neuronas[j].Salida());
    ASSERT_EQ(applied.chart.points.size(), 3u);
    EXPECT_EQ(applied.chart.points, run.chart.points);
    EXPECT_EQ(applied.totalCycles, 3);
    EXPECT_EQ(applied.time, run.time);
    EXPECT_EQ(applied.largestError, run.largestError);
    EXPECT_EQ(applied.smallestError, run.smallestError);
    EXPECT_EQ(applied.expected.numbers, run.expected.numbers);
    EXPECT_EQ(applied.obtained.numbers, run.obtained.numbers);
    EXPECT_EQ(applied.opens, 0);

    // Without a network, or for a pattern the table does not hold, nothing happens.
    state.NumeroPatrones = 1;
    ApplyWorkedStep(state, network, 2, step, applied);
    state.RedCreada = false;
    ApplyWorkedStep(state, network, 1, step, applied);
    EXPECT_EQ(Weights(network), Weights(twin));
    EXPECT_EQ(applied.chart.points.size(), 3u);
}

INSTANTIATE_TEST_SUITE_P(Functions, WorkedStepApplication,
                         ::testing::Values(ftSigmoide, ftTangenteHiperbolica, ftIdentidad));

// With momentum each applied step keeps its changes, so the next step shown
// and applied is the one EntrenarPatron would take.
TEST_F(WorkedStepApplication, KeepsTheChangesForMomentumAsEntrenarPatron) {
    TRedNeuronal network, twin;
    Configure(network, 2, 3, 2, ftSigmoide);
    Configure(twin, 2, 3, 2, ftSigmoide);
    network.SetLearning({0.5, 0.8});
    twin.SetLearning({0.5, 0.8});
    WorkState state;
    state.RedCreada = true;
    state.NumeroPatrones = 3;
    for (int p = 1; p <= 3; ++p)
        for (int k = 1; k <= 2; ++k) {
            state.EntradasPatrones[p][k] = 0.4 * p - 0.3 * k;
            state.SalidasPatrones[p][k] = 0.2 * (p + k) - 0.3;
        }
    RecordingTrainingTab view;
    int momentumTerms = 0;
    for (const std::int32_t p : {2, 1, 3, 3, 2}) {
        const WorkedStep step = ComputeWorkedStepOnPattern(state, network, p);
        for (const WeightChange& c : step.weights) momentumTerms += c.momentumTerm != 0;
        ApplyWorkedStep(state, network, p, step, view);
        for (int i = 1; i <= 2; ++i) twin.Entradas[i] = state.EntradasPatrones[p][i];
        for (int k = 1; k <= 2; ++k) twin.SalidasEsperadas[k] = state.SalidasPatrones[p][k];
        twin.EntrenarPatron();
        ASSERT_EQ(Weights(network), Weights(twin)) << "pattern " << p;
    }
    EXPECT_GT(momentumTerms, 0);
}
