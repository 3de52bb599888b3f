#include "execution.h"

#include "program_error.h"
#include "test_network.h"
#include "rounding.h"
#include "recording_views.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

struct Redondeo {
    std::int32_t decimales;
    double x;
    double resultado;
};

class RedondearTabla : public ::testing::TestWithParam<Redondeo> {};

TEST_P(RedondearTabla, TruncatesTheScaledValuePlusOneHalf) {
    const Redondeo& r = GetParam();
    EXPECT_EQ(Redondear(r.decimales, r.x), r.resultado);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, RedondearTabla,
    ::testing::Values(Redondeo{2, 0.125, 0.13}, Redondeo{2, 0.1249, 0.12}, Redondeo{0, 2.5, 3},
                      Redondeo{0, 2.4999, 2}, Redondeo{0, -2.5, -2}, Redondeo{0, -2.6, -2},
                      Redondeo{1, -0.17, -0.1}, Redondeo{1, -0.12, 0}, Redondeo{1, -0.25, -0.2},
                      Redondeo{2, 1.005, 1}, Redondeo{8, 0.123456789, 0.12345679}, Redondeo{0, 0.5, 1},
                      Redondeo{0, 0.4999, 0}, Redondeo{3, 0.5, 0.5},
                      // Scaled by 10^(d+1), plus 5, over 10: trunc(x·10^d + 0.5) gives 0.28 and 1.2.
                      Redondeo{2, 0.285, 0.29}, Redondeo{1, 1.15, 1.1},
                      // Decimals a field has not yet clamped take the nearer bound.
                      Redondeo{9, 0.123456789, 0.12345679}, Redondeo{std::numeric_limits<std::int32_t>::max(), 0.5, 0.5},
                      Redondeo{-1, 2.5, 3}, Redondeo{std::numeric_limits<std::int32_t>::min(), 2.4999, 2}));

TEST(Redondear, ScaledValueBeyondTheDoubleRangeIsAnOverflow) {
    EXPECT_THROW(Redondear(8, 1e300), ProgramError);
    EXPECT_DOUBLE_EQ(Redondear(0, 1e300), 1e300);
}

class Ejecucion : public ::testing::Test {
protected:
    void SetUp() override {
        CongelarReloj();
        Configurar(red, 3, 1, 2, ftIdentidad);
        // Output j = its bias term alone: -Pesos[0].
        red.CapaSalida.Neuronas[1].Pesos[0] = 0.17;
        red.CapaSalida.Neuronas[1].Pesos[1] = 0.0;
        red.CapaSalida.Neuronas[2].Pesos[0] = -0.5;
        red.CapaSalida.Neuronas[2].Pesos[1] = 0.0;
        for (int i = 1; i <= 4; ++i) vista.entradas.numeros[{1, i}] = i;
    }
    void TearDown() override { RandomGenerator::SetClock({}); }

    TRedNeuronal red;
    WorkState estado;
    EjecucionRegistro vista;
};

TEST_F(Ejecucion, RefusedWithoutNetwork) {
    Execute(estado, red, vista);
    EXPECT_EQ(red.Entradas[1], 0.0);
    EXPECT_EQ(vista.salidas.escrituras, 0);
}

TEST_F(Ejecucion, ReadsOneRowPerInputAndRoundsEveryOutput) {
    estado.RedCreada = true;
    red.Entradas[4] = -3;
    vista.decimales = 1;
    Execute(estado, red, vista);
    EXPECT_EQ(red.Entradas[1], 1.0);
    EXPECT_EQ(red.Entradas[3], 3.0);
    EXPECT_EQ(red.Entradas[4], -3.0);
    EXPECT_EQ(red.SalidasObtenidas[1], -0.17);
    EXPECT_EQ(vista.salidas.numeros, (std::map<Celda, double>{{{1, 1}, -0.1}, {{1, 2}, 0.5}}));
    EXPECT_EQ(vista.lecturasDecimales, 2);
}

}  // namespace
