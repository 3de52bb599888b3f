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
        ConfigurarEspejo(red);
        estado.RedCreada = true;
        Pattern(1, 0.25, 0.5);  // error 50
        estado.NumeroPatrones = 1;
    }
    void TearDown() override {
        RandomGenerator::SetClock({});
        TickCounter::SetCounter({});
    }

    // Pattern p: the mirror network gives `entrada` for an expected `salida`.
    void Pattern(int p, double entrada, double salida) {
        estado.EntradasPatrones[p][1] = entrada;
        estado.SalidasPatrones[p][1] = salida;
    }
    // Asks for a stop at the k-th message processing (counted from 1).
    void StopWhenProcessing(int k) {
        vista.alProcesar = [this, k, veces = 0]() mutable {
            if (++veces == k) estado.PararEntrenamiento = true;
        };
    }
    std::size_t Points() const { return vista.grafica.puntos.size(); }

    TRedNeuronal red;
    WorkState estado;
    RecordingTrainingTab vista;
};

TEST_F(TrainingRun, OneCycleMakesOnePointAtZeroAndWritesItsStatistics) {
    estado.PararEntrenamiento = true;  // left from an earlier run
    vista.ciclosTotales = 7;
    Train(estado, red, vista);
    EXPECT_EQ(vista.grafica.puntos, (std::vector<double>{50.0}));
    EXPECT_EQ(vista.errorMaximo, 50.0);
    EXPECT_EQ(vista.errorMinimo, 50.0);
    EXPECT_EQ(vista.ciclosTotales, 8);
    EXPECT_EQ(vista.esperadas.numeros, (std::map<Cell, double>{{{1, 1}, 0.5}}));
    EXPECT_EQ(vista.obtenidas.numeros, (std::map<Cell, double>{{{1, 1}, 0.25}}));
    EXPECT_EQ(vista.aperturas, 1);
    EXPECT_EQ(vista.cierres, 1);
    EXPECT_TRUE(vista.puntosAlProcesar.empty());
}

TEST_F(TrainingRun, PointsAndTotalsAddUpAcrossRuns) {
    vista.ciclos = 5;
    Train(estado, red, vista);
    Train(estado, red, vista);
    ASSERT_EQ(Points(), 10u);
    EXPECT_EQ(vista.ciclosTotales, 10);
}

TEST_F(TrainingRun, LargestAndSmallestAreThoseOfTheRunsOwnPoints) {
    Pattern(2, 0.9, 1.0);   // error 10
    Pattern(3, 0.25, 0.0);  // error 25
    estado.NumeroPatrones = 3;
    vista.ciclos = 50;
    vista.grafica.puntos.assign(3, 2000.0);  // an earlier run's points
    Train(estado, red, vista);
    std::vector<double> errores;
    for (std::size_t i = 3; i < Points(); ++i) errores.push_back(vista.grafica.puntos[i]);
    ASSERT_EQ(errores.size(), 50u);
    EXPECT_EQ(vista.errorMaximo, *std::max_element(errores.begin(), errores.end()));
    EXPECT_EQ(vista.errorMinimo, *std::min_element(errores.begin(), errores.end()));
    EXPECT_EQ(vista.errorMaximo, 50.0);
    EXPECT_DOUBLE_EQ(vista.errorMinimo, 10.0);
}

TEST_F(TrainingRun, LargestStartsAtZeroAndSmallestAtAThousand) {
    Pattern(1, 1.0, 0.001);  // error 99900
    vista.ciclos = 3;
    Train(estado, red, vista);
    EXPECT_DOUBLE_EQ(vista.errorMaximo, 99900.0);
    EXPECT_EQ(vista.errorMinimo, 1000.0);

    Pattern(1, 0.5, 0.5);  // error 0
    Train(estado, red, vista);
    EXPECT_EQ(vista.errorMaximo, 0.0);
    EXPECT_EQ(vista.errorMinimo, 0.0);
}

TEST_F(TrainingRun, ZeroCyclesMakeNoIterationYetWriteTheStatistics) {
    vista.ciclos = 0;
    vista.ciclosTotales = 4;
    red.SalidasEsperadas[1] = 0.75;
    red.SalidasObtenidas[1] = 0.125;
    Train(estado, red, vista);
    EXPECT_EQ(Points(), 0u);
    EXPECT_EQ(vista.errorMaximo, 0.0);
    EXPECT_EQ(vista.errorMinimo, 1000.0);
    EXPECT_EQ(vista.ciclosTotales, 4);
    EXPECT_EQ(vista.esperadas.numeros.at({1, 1}), 0.75);
    EXPECT_EQ(vista.obtenidas.numeros.at({1, 1}), 0.125);
    EXPECT_EQ(vista.cierres, 1);
}

TEST_F(TrainingRun, CycleRunProcessesMessagesBeforeEachTenThousandthIteration) {
    vista.ciclos = 25000;
    Train(estado, red, vista);
    EXPECT_EQ(Points(), 25000u);
    EXPECT_EQ(vista.puntosAlProcesar, (std::vector<std::size_t>{9999, 19999}));
}

TEST_F(TrainingRun, CycleCountIsReadAfreshBeforeEveryIteration) {
    vista.ciclos = 1000000;
    vista.alProcesar = [this] { vista.ciclos = 15000; };
    Train(estado, red, vista);
    EXPECT_EQ(Points(), 15000u);
}

TEST_F(TrainingRun, StopEndsACycleRunAtTheMultipleOfTenThousandWhereItWasSeen) {
    for (int k : {1, 3}) {
        vista = RecordingTrainingTab{};
        vista.ciclos = 1000000;
        StopWhenProcessing(k);
        Train(estado, red, vista);
        EXPECT_EQ(Points(), 10000u * k) << "stop at processing " << k;
        EXPECT_EQ(vista.ciclosTotales, 10000 * k);
        EXPECT_EQ(vista.cierres, 1);
    }
}

TEST_F(TrainingRun, LargestCycleCountStillEnds) {
    vista.ciclos = std::numeric_limits<std::int32_t>::max();
    // The stop makes the next cycle index one past the count; a run that
    // overflowed there would go on, so give up after a few processings.
    vista.alProcesar = [this, veces = 0]() mutable {
        if (++veces == 1) estado.PararEntrenamiento = true;
        if (veces > 3) throw std::runtime_error("the run did not end");
    };
    Train(estado, red, vista);
    EXPECT_EQ(Points(), 10000u);
}

class TrainingByError : public TrainingRun, public ::testing::WithParamInterface<StopCriterion> {
protected:
    void Umbral(std::int32_t umbral) {
        vista.criterio = GetParam();
        vista.umbralMaximo = vista.umbralMinimo = 1000;  // the other criterion's, not to be used
        (GetParam() == StopCriterion::LargestError ? vista.umbralMaximo : vista.umbralMinimo) = umbral;
    }
};

TEST_P(TrainingByError, ProcessesMessagesBeforeTheFirstIterationAndEveryTenThousandOnly) {
    Umbral(100);
    Train(estado, red, vista);
    EXPECT_EQ(Points(), 1u);
    EXPECT_EQ(vista.puntosAlProcesar, (std::vector<std::size_t>{0}));
}

TEST_P(TrainingByError, EndsAfterTheFirstErrorStrictlyBelowTheThreshold) {
    Pattern(2, 0.9, 1.0);  // error 10
    estado.NumeroPatrones = 2;
    Umbral(50);
    Train(estado, red, vista);
    ASSERT_GE(Points(), 1u);
    EXPECT_LT(vista.grafica.puntos.back(), 50.0);
    for (std::size_t i = 0; i + 1 < Points(); ++i) EXPECT_EQ(vista.grafica.puntos[i], 50.0);
    EXPECT_EQ(vista.ciclosTotales, static_cast<std::int64_t>(Points()));
}

TEST_P(TrainingByError, StopEndsTheRunOneIterationAfterTheMultipleOfTenThousand) {
    for (int k : {1, 3}) {  // processing 1 comes before the first iteration
        vista = RecordingTrainingTab{};
        Umbral(50);  // every error equals it, so only a stop ends the run
        StopWhenProcessing(k);
        Train(estado, red, vista);
        const std::size_t esperado = 10000u * static_cast<std::size_t>(k - 1) + 1;
        EXPECT_EQ(Points(), esperado) << "stop at processing " << k;
        EXPECT_EQ(vista.ciclosTotales, static_cast<std::int64_t>(esperado));
        EXPECT_EQ(vista.cierres, 1);
    }
}

TEST_P(TrainingByError, NegativeTargetsDoNotEndTheRunAtOnce) {
    Pattern(1, -0.25, -0.5);  // error 50
    Umbral(50);
    StopWhenProcessing(2);
    Train(estado, red, vista);
    EXPECT_EQ(Points(), 10001u);
    EXPECT_EQ(vista.errorMinimo, 50.0);
}

INSTANTIATE_TEST_SUITE_P(Criterios, TrainingByError,
                         ::testing::Values(StopCriterion::LargestError, StopCriterion::SmallestError));

TEST_F(TrainingRun, RefusedWithoutNetworkOrPatterns) {
    const double peso = red.CapaOculta.Neuronas[1].Pesos[1];
    estado.NumeroPatrones = 0;
    Train(estado, red, vista);
    estado.NumeroPatrones = 1;
    estado.RedCreada = false;
    Train(estado, red, vista);
    EXPECT_EQ(vista.aperturas, 0);
    EXPECT_EQ(vista.cierres, 0);
    EXPECT_EQ(Points(), 0u);
    EXPECT_EQ(vista.errorMaximo, -1.0);
    EXPECT_EQ(vista.ciclosTotales, 0);
    EXPECT_EQ(red.CapaOculta.Neuronas[1].Pesos[1], peso);
}

TEST_F(TrainingRun, AnErrorInsideARunKeepsTheStatisticsClosesTheProgressWindowAndGoesOn) {
    red.CapaOculta.Neuronas[1].Pesos[1] = 10.0;  // output 2.5 for 0.25: error 400
    vista.ciclos = 100000;
    vista.ciclosTotales = 5;
    vista.tiempo = 1;
    vista.alProcesar = [this] { Pattern(1, 1e308, 0.5); };  // the next weighted sum overflows
    try {
        Train(estado, red, vista);
        ADD_FAILURE() << "the overflow did not reach the caller";
    } catch (const ProgramError& e) {
        EXPECT_STREQ(e.what(), "Floating point overflow");
    }
    EXPECT_EQ(Points(), 9999u);
    EXPECT_EQ(vista.ciclosTotales, 5 + 9999);
    EXPECT_DOUBLE_EQ(vista.errorMaximo, 400.0);
    EXPECT_DOUBLE_EQ(vista.errorMinimo, 400.0);
    EXPECT_EQ(vista.tiempo, 1);
    EXPECT_EQ(vista.esperadas.numeros.at({1, 1}), 0.5);
    EXPECT_EQ(vista.aperturas, 1);
    EXPECT_EQ(vista.cierres, 1);
    EXPECT_FALSE(vista.progresoAbierto);
}

TEST_F(TrainingRun, AnErrorBetweenMessageProcessingsKeepsThePointsOfTheIterationsBeforeIt) {
    Pattern(1, 1e308, 0.5);  // overflows when first drawn, which is after pattern 2
    Pattern(2, 0.25, 0.5);
    estado.NumeroPatrones = 2;
    vista.ciclos = 1000;
    EXPECT_THROW(Train(estado, red, vista), ProgramError);
    EXPECT_TRUE(vista.puntosAlProcesar.empty());
    ASSERT_GT(Points(), 0u);
    EXPECT_EQ(vista.ciclosTotales, static_cast<std::int64_t>(Points()));
    for (std::size_t i = 0; i < Points(); ++i) {
        EXPECT_EQ(vista.grafica.puntos[i], 50.0);
    }
}

TEST_F(TrainingRun, TimeIsAddedAcrossAWrapOfTheTickCounter) {
    TickCounter::SetCounter([lecturas = 0]() mutable { return ++lecturas == 1 ? 0xFFFFFF00u : 0x100u; });
    vista.tiempo = 1000;
    Train(estado, red, vista);
    EXPECT_EQ(vista.tiempo, 1000 + 0x200);
}

TEST_F(TrainingRun, ReiniciarClearsTheChartCountersAndOutputGridsAndRerandomises) {
    Configure(red, 1, 1, 2, ftSigmoide);
    red.CapaSalida.Neuronas[2].Pesos[1] = 7.0;
    vista.grafica.puntos.assign(4, 1.0);
    vista.ciclos = vista.umbralMaximo = vista.umbralMinimo = 40;
    vista.ciclosTotales = vista.tiempo = 9;
    vista.errorMaximo = vista.errorMinimo = 3.0;
    vista.criterio = StopCriterion::SmallestError;
    ResetTraining(red, vista);
    EXPECT_EQ(Points(), 0u);
    EXPECT_EQ(vista.ciclos, 1);
    EXPECT_EQ(vista.umbralMaximo, 1);
    EXPECT_EQ(vista.umbralMinimo, 1);
    EXPECT_EQ(vista.ciclosTotales, 0);
    EXPECT_EQ(vista.tiempo, 0);
    EXPECT_EQ(vista.errorMaximo, 0.0);
    EXPECT_EQ(vista.errorMinimo, 0.0);
    EXPECT_EQ(vista.criterio, StopCriterion::SmallestError);
    for (RecordingTable* rejilla : {&vista.esperadas, &vista.obtenidas}) {
        EXPECT_EQ(rejilla->textos, (std::map<Cell, std::string>{{{0, 1}, "Salida 1"}, {{0, 2}, "Salida 2"}}));
        EXPECT_EQ(rejilla->numeros, (std::map<Cell, double>{{{1, 1}, 0.0}, {{1, 2}, 0.0}}));
    }
    EXPECT_LT(red.CapaSalida.Neuronas[2].Pesos[1], 0.5);

    vista.criterio = StopCriterion::CycleCount;
    Train(estado, red, vista);
    EXPECT_EQ(Points(), 1u);
}

}  // namespace
