#include "neuron.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

#include "layer.h"
#include "exp.h"
#include "program_error.h"
#include "frozen_clock.h"

namespace {

// A neuron with weighted sum exactly t: bias weight 0, input 1 = t, weight 1.
void FijarSuma(TNeurona& neurona, double t) {
    neurona.SetNumeroEntradas(1);
    neurona.Pesos[0] = 0;
    neurona.Pesos[1] = 1;
    neurona.Entradas[1] = t;
}

double Calcular(TNeurona& neurona, TFuncionTransferencia ft, TFuncionSalida fs, double umbral, double suma) {
    FijarSuma(neurona, suma);
    neurona.SetFuncionTransferencia(ft);
    neurona.SetFuncionSalida(fs);
    neurona.SetUmbral(umbral);
    neurona.CalcularSalida();
    return neurona.Salida();
}

void EsperarDesbordamiento(TNeurona& neurona) {
    try {
        neurona.CalcularSalida();
        ADD_FAILURE() << "no overflow";
    } catch (const ProgramError& e) {
        EXPECT_EQ(std::string(e.what()), "Floating point overflow");
    }
}

}  // namespace

TEST(Neurona, StartsWithTwoInputsFirstEnumerationsAndZeroes) {
    TCapaNeuronal capa;
    const TNeurona& n = capa.Neuronas[5];
    EXPECT_EQ(n.NumeroEntradas(), 2);
    EXPECT_EQ(n.ReglaPropagacion(), rpLineal);
    EXPECT_EQ(n.FuncionTransferencia(), ftIdentidad);
    EXPECT_EQ(n.FuncionSalida(), fsIdentidad);
    EXPECT_EQ(n.Umbral(), 0.0);
    EXPECT_EQ(n.Salida(), 0.0);
}

TEST(Neurona, InitialisationReseedsThenDrawsBiasThenSlotBeforeWeight) {
    TCapaNeuronal capa;
    TNeurona& n = capa.Neuronas[1];
    const TimeOfDay hora{7, 8, 9, 10};
    RelojFijo reloj(hora);
    RandomGenerator::SetState(12345);  // must not matter: the neuron reseeds
    n.SetNumeroEntradas(3);
    const auto d = SorteosMenosMedio(Semilla(hora), 7);
    EXPECT_EQ(n.Entradas[0], -1.0);
    EXPECT_EQ(n.Pesos[0], d[0]);
    for (std::size_t k = 1; k <= 3; ++k) {
        EXPECT_EQ(n.Entradas[k], d[2 * k - 1]) << k;
        EXPECT_EQ(n.Pesos[k], d[2 * k]) << k;
    }
}

TEST(Neurona, SameClockReadingGivesIdenticalWeights) {
    RelojFijo reloj({12, 0, 0, 0});
    TCapaNeuronal capa;
    for (int j = 2; j <= 32; ++j)
        for (std::size_t k = 0; k <= 2; ++k) {
            EXPECT_EQ(capa.Neuronas[j].Pesos[k], capa.Neuronas[1].Pesos[k]);
            EXPECT_EQ(capa.Neuronas[j].Entradas[k], capa.Neuronas[1].Entradas[k]);
        }
}

TEST(Neurona, WritingTheSameInputCountStillReplacesEveryWeight) {
    RelojFijo reloj({1, 0, 0, 0});
    TCapaNeuronal capa;
    TNeurona& n = capa.Neuronas[1];
    const TimeOfDay despues{1, 0, 0, 1};
    reloj.Fijar(despues);
    n.SetNumeroEntradas(2);
    const auto d = SorteosMenosMedio(Semilla(despues), 5);
    EXPECT_EQ(n.Pesos[0], d[0]);
    EXPECT_EQ(n.Pesos[1], d[2]);
    EXPECT_EQ(n.Pesos[2], d[4]);
}

TEST(Neurona, FreshWeightsLieInHalfOpenRangeAroundZero) {
    TCapaNeuronal capa;
    TNeurona& n = capa.Neuronas[1];
    for (int vez = 0; vez < 50; ++vez) {
        RandomGenerator::SetState(static_cast<std::uint32_t>(vez));
        n.SetNumeroEntradas(32);
        EXPECT_EQ(n.Entradas[0], -1.0);
        for (std::size_t k = 0; k <= 32; ++k) {
            EXPECT_GE(n.Pesos[k], -0.5);
            EXPECT_LT(n.Pesos[k], 0.5);
        }
    }
}

TEST(Neurona, WithNoInputsTheSumIsMinusTheBiasWeight) {
    TCapaNeuronal capa;
    TNeurona& n = capa.Neuronas[1];
    n.SetNumeroEntradas(0);
    n.Pesos[0] = 0.75;
    n.CalcularSalida();
    EXPECT_EQ(n.Salida(), -0.75);
}

TEST(Neurona, SumAddsProductsInIndexOrder) {
    TCapaNeuronal capa;
    TNeurona& n = capa.Neuronas[1];
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

struct CasoFunciones {
    TFuncionTransferencia ft;
    TFuncionSalida fs;
    double umbral, suma, salida;
};

void PrintTo(const CasoFunciones& c, std::ostream* os) {
    *os << "ft " << static_cast<int>(c.ft) << ", fs " << static_cast<int>(c.fs) << ", umbral " << c.umbral
        << ", suma " << c.suma;
}

class NeuronaFunciones : public ::testing::TestWithParam<CasoFunciones> {};

TEST_P(NeuronaFunciones, GiveTheTabledOutput) {
    const CasoFunciones c = GetParam();
    TCapaNeuronal capa;
    EXPECT_EQ(Calcular(capa.Neuronas[1], c.ft, c.fs, c.umbral, c.suma), c.salida);
}

INSTANTIATE_TEST_SUITE_P(
    Tabla, NeuronaFunciones,
    ::testing::Values(CasoFunciones{ftEscalon, fsIdentidad, 0, 0, 1}, CasoFunciones{ftEscalon, fsIdentidad, 0, -1e-300, -1},
                      CasoFunciones{ftEscalonPositivo, fsIdentidad, 0, 0, 1},
                      CasoFunciones{ftEscalonPositivo, fsIdentidad, 0, -2, 0},
                      CasoFunciones{ftSigmoide, fsIdentidad, 0, 0, 0.5},
                      CasoFunciones{ftSigmoide, fsIdentidad, 0, 1000, 1},  // e^-1000 underflows to 0: no error
                      CasoFunciones{ftTangenteHiperbolica, fsIdentidad, 0, 0, 0},
                      CasoFunciones{ftTangenteHiperbolica, fsIdentidad, 0, 1, (Exp(1.0) - Exp(-1.0)) / (Exp(1.0) + Exp(-1.0))},
                      CasoFunciones{ftIdentidad, fsIdentidad, 0, -1e300, -1e300},
                      CasoFunciones{ftIdentidad, fsEscalon, 0, 0, 1}, CasoFunciones{ftIdentidad, fsEscalon, 0, -0.1, -1},
                      CasoFunciones{ftIdentidad, fsEscalonPositivo, 0, -0.1, 0},
                      CasoFunciones{ftIdentidad, fsUmbral, 0, 0, 1}, CasoFunciones{ftIdentidad, fsUmbral, 0, -0.1, 0},
                      CasoFunciones{ftIdentidad, fsUmbral, 2, 3, 1}, CasoFunciones{ftIdentidad, fsUmbral, 2, 1.5, 0},
                      CasoFunciones{ftIdentidad, fsDobleUmbral, 0.5, -0.7, -1},
                      CasoFunciones{ftIdentidad, fsDobleUmbral, 0.5, 0.7, 1},
                      CasoFunciones{ftIdentidad, fsDobleUmbral, 0.5, 0.5, 0.5},
                      CasoFunciones{ftIdentidad, fsDobleUmbral, 0.5, -0.5, -0.5},
                      // Negative threshold: -1 is set by the first test, then raised to +1 by the second.
                      CasoFunciones{ftIdentidad, fsDobleUmbral, -2, 0.2, 1}));

TEST(Neurona, OverflowThrowsAndKeepsTheOldOutput) {
    TCapaNeuronal capa;
    TNeurona& n = capa.Neuronas[1];
    Calcular(n, ftIdentidad, fsIdentidad, 0, 0.25);
    ASSERT_EQ(n.Salida(), 0.25);

    n.SetFuncionTransferencia(ftSigmoide);
    n.Entradas[1] = -710;  // e^710 is beyond the double range
    EsperarDesbordamiento(n);
    n.SetFuncionTransferencia(ftTangenteHiperbolica);
    EsperarDesbordamiento(n);
    n.Entradas[1] = 710;
    EsperarDesbordamiento(n);
    n.SetFuncionTransferencia(ftIdentidad);
    n.Entradas[1] = 1e200;
    n.Pesos[1] = 1e200;  // the product overflows
    EsperarDesbordamiento(n);
    n.Pesos[1] = 1;
    n.Entradas[1] = 1.7e308;
    n.Pesos[0] = -1.7e308;  // the sum overflows
    EsperarDesbordamiento(n);
    EXPECT_EQ(n.Salida(), 0.25);

    n.SetFuncionTransferencia(ftSigmoide);
    n.Pesos[0] = 0;
    n.Entradas[1] = -709;  // still in range
    n.CalcularSalida();
    EXPECT_GT(n.Salida(), 0.0);
}
