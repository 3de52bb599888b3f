#include "training_run.h"

#include "recording_views.h"
#include "test_network.h"
#include "tick_counter.h"

#include <gtest/gtest.h>

namespace {

std::vector<double> Weights(const TRedNeuronal& red) {
    std::vector<double> w;
    for (const TCapaNeuronal* capa : {&red.CapaOculta, &red.CapaSalida})
        for (int j = 1; j <= capa->NumeroNeuronas(); ++j)
            for (std::size_t k = 0; k <= static_cast<std::size_t>(capa->NumeroEntradas()); ++k)
                w.push_back(capa->Neuronas[j].Pesos[k]);
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
    TRedNeuronal red, twin;
    Configure(red, 3, 4, 2, GetParam());
    Configure(twin, 3, 4, 2, GetParam());
    WorkState estado, alone;
    estado.RedCreada = alone.RedCreada = true;
    estado.NumeroPatrones = 3;
    alone.NumeroPatrones = 1;
    for (int p = 1; p <= 3; ++p)
        for (int k = 1; k <= 3; ++k) {
            estado.EntradasPatrones[p][k] = 0.3 * p - 0.2 * k;
            estado.SalidasPatrones[p][k] = 0.1 * (p + k);
        }
    alone.EntradasPatrones[1] = estado.EntradasPatrones[2];
    alone.SalidasPatrones[1] = estado.SalidasPatrones[2];
    RecordingTrainingTab applied, run;
    applied.grafica.puntos = run.grafica.puntos = {40.0, 30.0};
    applied.ciclosTotales = run.ciclosTotales = 2;

    const WorkedStep step = ComputeWorkedStepOnPattern(estado, red, 2);
    const std::vector<double> before = Weights(red);
    const std::uint32_t generator = RandomGenerator::State();
    ApplyWorkedStep(estado, red, 2, step, applied);
    EXPECT_EQ(RandomGenerator::State(), generator) << "a step draws no pattern";
    Train(alone, twin, run);

    EXPECT_EQ(Weights(red), Weights(twin));
    EXPECT_EQ(Weights(red) == before, GetParam() == ftIdentidad);
    EXPECT_EQ(red.SalidasObtenidas, twin.SalidasObtenidas);
    for (int j = 1; j <= 4; ++j) EXPECT_EQ(red.CapaOculta.Neuronas[j].Salida(), twin.CapaOculta.Neuronas[j].Salida());
    ASSERT_EQ(applied.grafica.puntos.size(), 3u);
    EXPECT_EQ(applied.grafica.puntos, run.grafica.puntos);
    EXPECT_EQ(applied.ciclosTotales, 3);
    EXPECT_EQ(applied.tiempo, run.tiempo);
    EXPECT_EQ(applied.errorMaximo, run.errorMaximo);
    EXPECT_EQ(applied.errorMinimo, run.errorMinimo);
    EXPECT_EQ(applied.esperadas.numeros, run.esperadas.numeros);
    EXPECT_EQ(applied.obtenidas.numeros, run.obtenidas.numeros);
    EXPECT_EQ(applied.aperturas, 0);

    // Without a network, or for a pattern the table does not hold, nothing happens.
    estado.NumeroPatrones = 1;
    ApplyWorkedStep(estado, red, 2, step, applied);
    estado.RedCreada = false;
    ApplyWorkedStep(estado, red, 1, step, applied);
    EXPECT_EQ(Weights(red), Weights(twin));
    EXPECT_EQ(applied.grafica.puntos.size(), 3u);
}

INSTANTIATE_TEST_SUITE_P(Functions, WorkedStepApplication,
                         ::testing::Values(ftSigmoide, ftTangenteHiperbolica, ftIdentidad));
