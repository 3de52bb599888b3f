// The step's own cases; that it is bit for bit the step worked out value by
// value, on random networks of many shapes, is in worked_step_test.cpp.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "exp.h"
#include "network.h"
#include "program_error.h"

namespace {

// Counts every allocation of this test program, to show the training step makes none.
int asignaciones = 0;

// One input, one hidden neuron, one output neuron, every weight 0.
void SmallestNetwork(TRedNeuronal& red, TFuncionTransferencia ft) {
    PrepareStartUpNetwork(red);
    red.SetNumeroEntradas(1);
    red.SetNeuronasCapaOculta(1);
    red.SetFuncionTransferencia(ft);
    for (std::size_t k = 0; k <= 1; ++k) {
        red.CapaOculta.Neuronas[1].Pesos[k] = 0;
        red.CapaSalida.Neuronas[1].Pesos[k] = 0;
    }
    red.Entradas[1] = 1;
    red.SalidasEsperadas[1] = 1;
}

std::vector<double> AllWeights(const TRedNeuronal& red) {
    std::vector<double> pesos;
    for (const TCapaNeuronal* capa : {&red.CapaOculta, &red.CapaSalida})
        for (int j = 1; j <= capa->NumeroNeuronas(); ++j)
            for (std::size_t k = 0; k <= static_cast<std::size_t>(capa->NumeroEntradas()); ++k)
                pesos.push_back(capa->Neuronas[j].Pesos[k]);
    return pesos;
}

}  // namespace

void* operator new(std::size_t n) {
    ++asignaciones;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

TEST(EntrenarPatron, SigmoidWithZeroWeightsMovesOnlyTheOutputNeuron) {
    TRedNeuronal red;
    SmallestNetwork(red, ftSigmoide);
    red.EntrenarPatron();
    EXPECT_EQ(red.SalidasObtenidas[1], 0.5);
    EXPECT_EQ(red.CapaSalida.Neuronas[1].Pesos[0], -0.04375);
    EXPECT_EQ(red.CapaSalida.Neuronas[1].Pesos[1], 0.021875);
    EXPECT_EQ(red.CapaOculta.Neuronas[1].Pesos[0], 0.0);
    EXPECT_EQ(red.CapaOculta.Neuronas[1].Pesos[1], 0.0);
}

TEST(EntrenarPatron, SigmoidWithUnitOutputWeightMovesBothLayers) {
    TRedNeuronal red;
    SmallestNetwork(red, ftSigmoide);
    red.CapaSalida.Neuronas[1].Pesos[1] = 1;
    red.EntrenarPatron();
    EXPECT_NEAR(red.SalidasObtenidas[1], 0.6224593, 5e-8);
    EXPECT_EQ(red.SalidasObtenidas[1], 1 / (1 + Exp(-0.5)));
    EXPECT_NEAR(red.CapaSalida.Neuronas[1].Pesos[0], -0.0310532, 5e-8);
    EXPECT_NEAR(red.CapaSalida.Neuronas[1].Pesos[1], 1.0155266, 5e-8);
    EXPECT_NEAR(red.CapaOculta.Neuronas[1].Pesos[0], -0.0077633, 5e-8);
    EXPECT_NEAR(red.CapaOculta.Neuronas[1].Pesos[1], 0.0077633, 5e-8);
    // The two hidden weights move by the same amount with opposite signs (inputs -1 and 1).
    EXPECT_EQ(red.CapaOculta.Neuronas[1].Pesos[0], -red.CapaOculta.Neuronas[1].Pesos[1]);
}

TEST(EntrenarPatron, HyperbolicTangentWithZeroWeights) {
    TRedNeuronal red;
    SmallestNetwork(red, ftTangenteHiperbolica);
    red.EntrenarPatron();
    EXPECT_EQ(red.SalidasObtenidas[1], 0.0);
    EXPECT_EQ(red.CapaSalida.Neuronas[1].Pesos[0], -0.35);
    EXPECT_EQ(red.CapaSalida.Neuronas[1].Pesos[1], 0.0);
    EXPECT_EQ(red.CapaOculta.Neuronas[1].Pesos[0], 0.0);
}

TEST(EntrenarPatron, FunctionsWithoutDerivativeOnlyPropagate) {
    for (TFuncionTransferencia ft : {ftIdentidad, ftEscalon, ftEscalonPositivo}) {
        TRedNeuronal red;
        PrepareStartUpNetwork(red);
        red.SetFuncionTransferencia(ft);
        red.Entradas[1] = 0.7;
        red.SalidasEsperadas[1] = 5;
        const auto antes = AllWeights(red);
        red.EntrenarPatron();
        EXPECT_EQ(AllWeights(red), antes) << ft;
        EXPECT_EQ(red.SalidasObtenidas[1], red.CapaSalida.Neuronas[1].Salida()) << ft;
        EXPECT_EQ(red.CapaOculta.Neuronas[1].Entradas[1], 0.7) << ft;
    }
}

TEST(EntrenarPatron, NoErrorNoChange) {
    for (TFuncionTransferencia ft : {ftSigmoide, ftTangenteHiperbolica}) {
        TRedNeuronal red;
        PrepareStartUpNetwork(red);
        red.SetFuncionTransferencia(ft);
        red.SetNeuronasCapaSalida(3);
        red.Entradas[1] = 0.3;
        red.Entradas[2] = -0.9;
        red.Propagar();
        for (std::size_t i = 1; i <= 3; ++i) red.SalidasEsperadas[i] = red.SalidasObtenidas[i];
        const auto antes = AllWeights(red);
        red.EntrenarPatron();
        EXPECT_EQ(AllWeights(red), antes) << ft;
    }
}

TEST(EntrenarPatron, SaturatedOutputHasZeroDelta) {
    struct Case {
        TFuncionTransferencia ft;
        double sesgo, salida;
    };
    for (const Case c : {Case{ftSigmoide, -800, 1}, Case{ftTangenteHiperbolica, -400, 1},
                         Case{ftTangenteHiperbolica, 400, -1}}) {
        TRedNeuronal red;
        SmallestNetwork(red, c.ft);
        red.CapaSalida.Neuronas[1].Pesos[0] = c.sesgo;
        red.CapaSalida.Neuronas[1].Pesos[1] = 0.5;
        red.SalidasEsperadas[1] = 0.25;
        const auto antes = AllWeights(red);
        red.EntrenarPatron();
        ASSERT_EQ(red.SalidasObtenidas[1], c.salida) << c.sesgo;
        EXPECT_EQ(AllWeights(red), antes) << c.sesgo;
    }
}

TEST(EntrenarPatron, ForwardOverflowChangesNoWeight) {
    TRedNeuronal red;
    SmallestNetwork(red, ftSigmoide);
    red.CapaSalida.Neuronas[1].Pesos[0] = 800;  // output sum -800 - ...: e^800 overflows
    const auto antes = AllWeights(red);
    EXPECT_THROW(red.EntrenarPatron(), ProgramError);
    EXPECT_EQ(AllWeights(red), antes);
    EXPECT_EQ(red.CapaOculta.Neuronas[1].Salida(), 0.5);  // computed before the failure
}

TEST(EntrenarPatron, OverflowInHiddenDeltasChangesNoWeight) {
    TRedNeuronal red;
    SmallestNetwork(red, ftSigmoide);
    red.SalidasEsperadas[1] = 1e308;
    // Output sum -5e9 + 0.5 * 1e10 = 0; the delta 2.5e307 times the weight 1e10 overflows.
    red.CapaSalida.Neuronas[1].Pesos[0] = 5e9;
    red.CapaSalida.Neuronas[1].Pesos[1] = 1e10;
    const auto antes = AllWeights(red);
    try {
        red.EntrenarPatron();
        FAIL() << "no overflow";
    } catch (const ProgramError& e) {
        EXPECT_EQ(std::string(e.what()), "Floating point overflow");
    }
    EXPECT_EQ(AllWeights(red), antes);
}

TEST(EntrenarPatron, OverflowInWeightUpdateStopsAtThatWeight) {
    TRedNeuronal red;
    PrepareStartUpNetwork(red);
    red.SetNumeroEntradas(2);
    red.SetNeuronasCapaOculta(3);
    for (int j = 1; j <= 3; ++j) {
        red.CapaOculta.Neuronas[j].Pesos[0] = 0;
        red.CapaOculta.Neuronas[j].Pesos[1] = 1e-300;  // hidden sums stay near 0
        red.CapaOculta.Neuronas[j].Pesos[2] = 0;
    }
    red.CapaSalida.Neuronas[1].Pesos[0] = 0;
    red.CapaSalida.Neuronas[1].Pesos[1] = 1e-290;  // hidden neuron 1: small delta
    red.CapaSalida.Neuronas[1].Pesos[2] = 1e-3;    // hidden neuron 2: delta near 1e303
    red.CapaSalida.Neuronas[1].Pesos[3] = 1e-290;  // hidden neuron 3: small delta
    red.Entradas[1] = 1e10;
    red.Entradas[2] = 1;
    red.SalidasEsperadas[1] = 1e308;
    EXPECT_THROW(red.EntrenarPatron(), ProgramError);

    EXPECT_NE(red.CapaSalida.Neuronas[1].Pesos[0], 0.0);      // output weights: done
    EXPECT_NE(red.CapaOculta.Neuronas[2].Pesos[0], 0.0);      // hidden bias: done
    EXPECT_NE(red.CapaOculta.Neuronas[1].Pesos[1], 1e-300);   // before the overflow: done
    EXPECT_EQ(red.CapaOculta.Neuronas[2].Pesos[1], 1e-300);   // the overflowing weight
    EXPECT_EQ(red.CapaOculta.Neuronas[3].Pesos[1], 1e-300);   // after it in the same row: untouched
    EXPECT_EQ(red.CapaOculta.Neuronas[1].Pesos[2], 0.0);      // after it: untouched
    for (double w : AllWeights(red)) EXPECT_TRUE(std::isfinite(w));
}

TEST(EntrenarPatron, MakesNoAllocation) {
    TRedNeuronal red;
    PrepareStartUpNetwork(red);
    red.SetNumeroEntradas(32);
    red.SetNeuronasCapaOculta(32);
    red.SetNeuronasCapaSalida(32);
    red.SetFuncionTransferencia(ftTangenteHiperbolica);
    red.Entradas[3] = 0.5;
    red.SalidasEsperadas[2] = 0.5;
    const int antes = asignaciones;
    red.Propagar();
    red.EntrenarPatron();
    EXPECT_EQ(asignaciones, antes);
    ::operator delete(::operator new(8));
    EXPECT_EQ(asignaciones, antes + 1);  // the counter does count
}
