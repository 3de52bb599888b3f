// SPDX-License-Identifier: GPL-3.0-or-later
#include "neuron.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

#include "exp.h"
#include "frozen_clock.h"
#include "layer.h"
#include "program_error.h"

namespace {

// A neuron with weighted sum exactly t: bias weight 0, input 1 = t, weight 1.
void SetSum(TNeurona& neuron, double t) {
    neuron.SetNumeroEntradas(1);
    neuron.Pesos[0] = 0;
    neuron.Pesos[1] = 1;
    neuron.Entradas[1] = t;
}

double Compute(TNeurona& neuron, TFuncionTransferencia ft, TFuncionSalida fs, double threshold, double sum) {
    SetSum(neuron, sum);
    neuron.SetFuncionTransferencia(ft);
    neuron.SetFuncionSalida(fs);
    neuron.SetUmbral(threshold);
    neuron.CalcularSalida();
    return neuron.Salida();
}

void ExpectOverflow(TNeurona& neuron) {
    try {
        neuron.CalcularSalida();
        ADD_FAILURE() << "no overflow";
    } catch (const ProgramError& e) {
        EXPECT_EQ(std::string(e.what()), "Floating point overflow");
    }
}

}  // namespace

TEST(Neurona, StartsWithTwoInputsFirstEnumerationsAndZeroes) {
    TCapaNeuronal layer;
    const TNeurona& n = layer.Neuronas[5];
    EXPECT_EQ(n.NumeroEntradas(), 2);
    EXPECT_EQ(n.ReglaPropagacion(), rpLineal);
    EXPECT_EQ(n.FuncionTransferencia(), ftIdentidad);
    EXPECT_EQ(n.FuncionSalida(), fsIdentidad);
    EXPECT_EQ(n.Umbral(), 0.0);
    EXPECT_EQ(n.Salida(), 0.0);
}

TEST(Neurona, InitialisationReseedsThenDrawsBiasThenSlotBeforeWeight) {
    TCapaNeuronal layer;
    TNeurona& n = layer.Neuronas[1];
    const TimeOfDay hour{7, 8, 9, 10};
    FrozenClock clock(hour);
    RandomGenerator::SetState(12345);  // must not matter: the neuron reseeds
    n.SetNumeroEntradas(3);
    const auto d = DrawsMinusHalf(Seed(hour), 7);
    EXPECT_EQ(n.Entradas[0], -1.0);
    EXPECT_EQ(n.Pesos[0], d[0]);
    for (std::size_t k = 1; k <= 3; ++k) {
        EXPECT_EQ(n.Entradas[k], d[2 * k - 1]) << k;
        EXPECT_EQ(n.Pesos[k], d[2 * k]) << k;
    }
}

TEST(Neurona, SameClockReadingGivesIdenticalWeights) {
    FrozenClock clock({12, 0, 0, 0});
    TCapaNeuronal layer;
    for (int j = 2; j <= 32; ++j)
        for (std::size_t k = 0; k <= 2; ++k) {
            EXPECT_EQ(layer.Neuronas[j].Pesos[k], layer.Neuronas[1].Pesos[k]);
            EXPECT_EQ(layer.Neuronas[j].Entradas[k], layer.Neuronas[1].Entradas[k]);
        }
}

TEST(Neurona, WritingTheSameInputCountStillReplacesEveryWeight) {
    FrozenClock clock({1, 0, 0, 0});
    TCapaNeuronal layer;
    TNeurona& n = layer.Neuronas[1];
    const TimeOfDay later{1, 0, 0, 1};
    clock.Set(later);
    n.SetNumeroEntradas(2);
    const auto d = DrawsMinusHalf(Seed(later), 5);
    EXPECT_EQ(n.Pesos[0], d[0]);
    EXPECT_EQ(n.Pesos[1], d[2]);
    EXPECT_EQ(n.Pesos[2], d[4]);
}

TEST(Neurona, FreshWeightsLieInHalfOpenRangeAroundZero) {
    TCapaNeuronal layer;
    TNeurona& n = layer.Neuronas[1];
    for (int times = 0; times < 50; ++times) {
        RandomGenerator::SetState(static_cast<std::uint32_t>(times));
        n.SetNumeroEntradas(32);
        EXPECT_EQ(n.Entradas[0], -1.0);
        for (std::size_t k = 0; k <= 32; ++k) {
            EXPECT_GE(n.Pesos[k], -0.5);
            EXPECT_LT(n.Pesos[k], 0.5);
        }
    }
}

TEST(Neurona, WithNoInputsTheSumIsMinusTheBiasWeight) {
    TCapaNeuronal layer;
    TNeurona& n = layer.Neuronas[1];
    n.SetNumeroEntradas(0);
    n.Pesos[0] = 0.75;
    n.CalcularSalida();
    EXPECT_EQ(n.Salida(), -0.75);
}

TEST(Neurona, SumAddsProductsInIndexOrder) {
    TCapaNeuronal layer;
    TNeurona& n = layer.Neuronas[1];
    n.SetNumeroEntradas(3);
    n.Pesos[0] = 1;
    const double x[] = {-1, 1e16, 1, -1e16};
    for (std::size_t k = 1; k <= 3; ++k) {
        n.Entradas[k] = x[k];
        n.Pesos[k] = 1;
    }
    n.CalcularSalida();
    // ((-1 + 1e16) + 1) - 1e16 rounds to 0 in this order; any other order differs.
    EXPECT_EQ(n.Salida(), ((-1.0 + 1e16) + 1.0) - 1e16);
    EXPECT_EQ(n.Salida(), 0.0);
}

struct FunctionsCase {
    TFuncionTransferencia ft;
    TFuncionSalida fs;
    double threshold, sum, output;
};

void PrintTo(const FunctionsCase& c, std::ostream* os) {
    *os << "ft " << static_cast<int>(c.ft) << ", fs " << static_cast<int>(c.fs) << ", threshold " << c.threshold
        << ", sum " << c.sum;
}

class NeuronFunctions : public ::testing::TestWithParam<FunctionsCase> {};

TEST_P(NeuronFunctions, GiveTheTabledOutput) {
    const FunctionsCase c = GetParam();
    TCapaNeuronal layer;
    EXPECT_EQ(Compute(layer.Neuronas[1], c.ft, c.fs, c.threshold, c.sum), c.output);
}

INSTANTIATE_TEST_SUITE_P(
    Table, NeuronFunctions,
    ::testing::Values(FunctionsCase{ftEscalon, fsIdentidad, 0, 0, 1}, FunctionsCase{ftEscalon, fsIdentidad, 0, -1e-300, -1},
                      FunctionsCase{ftEscalonPositivo, fsIdentidad, 0, 0, 1},
                      FunctionsCase{ftEscalonPositivo, fsIdentidad, 0, -2, 0},
                      FunctionsCase{ftSigmoide, fsIdentidad, 0, 0, 0.5},
                      FunctionsCase{ftSigmoide, fsIdentidad, 0, 1000, 1},  // e^-1000 underflows to 0: no error
                      FunctionsCase{ftTangenteHiperbolica, fsIdentidad, 0, 0, 0},
                      FunctionsCase{ftTangenteHiperbolica, fsIdentidad, 0, 1, (Exp(1.0) - Exp(-1.0)) / (Exp(1.0) + Exp(-1.0))},
                      FunctionsCase{ftIdentidad, fsIdentidad, 0, -1e300, -1e300},
                      FunctionsCase{ftIdentidad, fsEscalon, 0, 0, 1}, FunctionsCase{ftIdentidad, fsEscalon, 0, -0.1, -1},
                      FunctionsCase{ftIdentidad, fsEscalonPositivo, 0, -0.1, 0},
                      FunctionsCase{ftIdentidad, fsUmbral, 0, 0, 1}, FunctionsCase{ftIdentidad, fsUmbral, 0, -0.1, 0},
                      FunctionsCase{ftIdentidad, fsUmbral, 2, 3, 1}, FunctionsCase{ftIdentidad, fsUmbral, 2, 1.5, 0},
                      FunctionsCase{ftIdentidad, fsDobleUmbral, 0.5, -0.7, -1},
                      FunctionsCase{ftIdentidad, fsDobleUmbral, 0.5, 0.7, 1},
                      FunctionsCase{ftIdentidad, fsDobleUmbral, 0.5, 0.5, 0.5},
                      FunctionsCase{ftIdentidad, fsDobleUmbral, 0.5, -0.5, -0.5},
                      // Negative threshold: -1 is set by the first test, then raised to +1 by the
                      // second, or kept where the threshold lies above -1.
                      FunctionsCase{ftIdentidad, fsDobleUmbral, -2, 0.2, 1},
                      FunctionsCase{ftIdentidad, fsDobleUmbral, -0.5, 0.2, -1}));

TEST(Neurona, OverflowThrowsAndKeepsTheOldOutput) {
    TCapaNeuronal layer;
    TNeurona& n = layer.Neuronas[1];
    Compute(n, ftIdentidad, fsIdentidad, 0, 0.25);
    ASSERT_EQ(n.Salida(), 0.25);

    n.SetFuncionTransferencia(ftSigmoide);
    n.Entradas[1] = -710;  // e^710 is beyond the double range
    ExpectOverflow(n);
    n.SetFuncionTransferencia(ftTangenteHiperbolica);
    ExpectOverflow(n);
    n.Entradas[1] = 710;
    ExpectOverflow(n);
    n.SetFuncionTransferencia(ftIdentidad);
    n.Entradas[1] = 1e200;
    n.Pesos[1] = 1e200;  // the product overflows
    ExpectOverflow(n);
    n.Pesos[1] = 1;
    n.Entradas[1] = 1.7e308;
    n.Pesos[0] = -1.7e308;  // the sum overflows
    ExpectOverflow(n);
    EXPECT_EQ(n.Salida(), 0.25);

    n.SetFuncionTransferencia(ftSigmoide);
    n.Pesos[0] = 0;
    n.Entradas[1] = -709;  // still in range
    n.CalcularSalida();
    EXPECT_GT(n.Salida(), 0.0);
}
