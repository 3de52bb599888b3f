// SPDX-License-Identifier: GPL-3.0-or-later
// The step's own cases; that it is bit for bit the step worked out value by
// value, on random networks of many shapes, is in worked_step_test.cpp.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <ostream>
#include <new>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "exp.h"
#include "network.h"
#include "program_error.h"

namespace {

// Counts every allocation of this test program, to show the training step makes none.
int allocations = 0;

// One input, one hidden neuron, one output neuron, every weight 0.
void SmallestNetwork(TRedNeuronal& network, TFuncionTransferencia ft) {
    PrepareStartUpNetwork(network);
    network.SetNumeroEntradas(1);
    network.SetNeuronasCapaOculta(1);
    network.SetFuncionTransferencia(ft);
    for (std::size_t k = 0; k <= 1; ++k) {
        network.CapaOculta.Neuronas[1].Pesos[k] = 0;
        network.CapaSalida.Neuronas[1].Pesos[k] = 0;
    }
    network.Entradas[1] = 1;
    network.SalidasEsperadas[1] = 1;
}

std::vector<double> AllWeights(const TRedNeuronal& network) {
    std::vector<double> weights;
    for (const TCapaNeuronal* layer : {&network.CapaOculta, &network.CapaSalida})
        for (int j = 1; j <= layer->NumeroNeuronas(); ++j)
            for (std::size_t k = 0; k <= static_cast<std::size_t>(layer->NumeroEntradas()); ++k)
                weights.push_back(layer->Neuronas[j].Pesos[k]);
    return weights;
}

}  // namespace

void* operator new(std::size_t n) {
    ++allocations;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

TEST(EntrenarPatron, SigmoidWithZeroWeightsMovesOnlyTheOutputNeuron) {
    TRedNeuronal network;
    SmallestNetwork(network, ftSigmoide);
    network.EntrenarPatron();
    EXPECT_EQ(network.SalidasObtenidas[1], 0.5);
    EXPECT_EQ(network.CapaSalida.Neuronas[1].Pesos[0], -0.04375);
    EXPECT_EQ(network.CapaSalida.Neuronas[1].Pesos[1], 0.021875);
    EXPECT_EQ(network.CapaOculta.Neuronas[1].Pesos[0], 0.0);
    EXPECT_EQ(network.CapaOculta.Neuronas[1].Pesos[1], 0.0);
}

TEST(EntrenarPatron, SigmoidWithUnitOutputWeightMovesBothLayers) {
    TRedNeuronal network;
    SmallestNetwork(network, ftSigmoide);
    network.CapaSalida.Neuronas[1].Pesos[1] = 1;
    network.EntrenarPatron();
    EXPECT_NEAR(network.SalidasObtenidas[1], 0.6224593, 5e-8);
    EXPECT_EQ(network.SalidasObtenidas[1], 1 / (1 + Exp(-0.5)));
    EXPECT_NEAR(network.CapaSalida.Neuronas[1].Pesos[0], -0.0310532, 5e-8);
    EXPECT_NEAR(network.CapaSalida.Neuronas[1].Pesos[1], 1.0155266, 5e-8);
    EXPECT_NEAR(network.CapaOculta.Neuronas[1].Pesos[0], -0.0077633, 5e-8);
    EXPECT_NEAR(network.CapaOculta.Neuronas[1].Pesos[1], 0.0077633, 5e-8);
    // The two hidden weights move by the same amount with opposite signs (inputs -1 and 1).
    EXPECT_EQ(network.CapaOculta.Neuronas[1].Pesos[0], -network.CapaOculta.Neuronas[1].Pesos[1]);
}

TEST(EntrenarPatron, HyperbolicTangentWithZeroWeights) {
    TRedNeuronal network;
    SmallestNetwork(network, ftTangenteHiperbolica);
    network.EntrenarPatron();
    EXPECT_EQ(network.SalidasObtenidas[1], 0.0);
    EXPECT_EQ(network.CapaSalida.Neuronas[1].Pesos[0], -0.35);
    EXPECT_EQ(network.CapaSalida.Neuronas[1].Pesos[1], 0.0);
    EXPECT_EQ(network.CapaOculta.Neuronas[1].Pesos[0], 0.0);
}

TEST(EntrenarPatron, FunctionsWithoutDerivativeOnlyPropagate) {
    for (TFuncionTransferencia ft : {ftIdentidad, ftEscalon, ftEscalonPositivo}) {
        TRedNeuronal network;
        PrepareStartUpNetwork(network);
        network.SetFuncionTransferencia(ft);
        network.Entradas[1] = 0.7;
        network.SalidasEsperadas[1] = 5;
        const auto before = AllWeights(network);
        network.EntrenarPatron();
        EXPECT_EQ(AllWeights(network), before) << ft;
        EXPECT_EQ(network.SalidasObtenidas[1], network.CapaSalida.Neuronas[1].Salida()) << ft;
        EXPECT_EQ(network.CapaOculta.Neuronas[1].Entradas[1], 0.7) << ft;
    }
}

TEST(EntrenarPatron, NoErrorNoChange) {
    for (TFuncionTransferencia ft : {ftSigmoide, ftTangenteHiperbolica}) {
        TRedNeuronal network;
        PrepareStartUpNetwork(network);
        network.SetFuncionTransferencia(ft);
        network.SetNeuronasCapaSalida(3);
        network.Entradas[1] = 0.3;
        network.Entradas[2] = -0.9;
        network.Propagar();
        for (std::size_t i = 1; i <= 3; ++i) network.SalidasEsperadas[i] = network.SalidasObtenidas[i];
        const auto before = AllWeights(network);
        network.EntrenarPatron();
        EXPECT_EQ(AllWeights(network), before) << ft;
    }
}

TEST(EntrenarPatron, SaturatedOutputHasZeroDelta) {
    struct Case {
        TFuncionTransferencia ft;
        double bias, output;
    };
    for (const Case c : {Case{ftSigmoide, -800, 1}, Case{ftTangenteHiperbolica, -400, 1},
                         Case{ftTangenteHiperbolica, 400, -1}}) {
        TRedNeuronal network;
        SmallestNetwork(network, c.ft);
        network.CapaSalida.Neuronas[1].Pesos[0] = c.bias;
        network.CapaSalida.Neuronas[1].Pesos[1] = 0.5;
        network.SalidasEsperadas[1] = 0.25;
        const auto before = AllWeights(network);
        network.EntrenarPatron();
        ASSERT_EQ(network.SalidasObtenidas[1], c.output) << c.bias;
        EXPECT_EQ(AllWeights(network), before) << c.bias;
    }
}

TEST(EntrenarPatron, ForwardOverflowChangesNoWeight) {
    // The output sum is -bias: e^800 overflows, for the tangent on either side.
    const struct {
        TFuncionTransferencia function;
        double bias, hiddenOutput;
    } cases[] = {{ftSigmoide, 800, 0.5}, {ftTangenteHiperbolica, 800, 0}, {ftTangenteHiperbolica, -800, 0}};
    for (const auto& c : cases) {
        TRedNeuronal network;
        SmallestNetwork(network, c.function);
        network.CapaSalida.Neuronas[1].Pesos[0] = c.bias;
        EXPECT_THROW(network.Propagar(), ProgramError) << c.bias;
        const auto before = AllWeights(network);
        EXPECT_THROW(network.EntrenarPatron(), ProgramError) << c.bias;
        EXPECT_EQ(AllWeights(network), before);
        EXPECT_EQ(network.CapaOculta.Neuronas[1].Salida(), c.hiddenOutput);  // computed before the failure
    }
}

TEST(EntrenarPatron, OverflowInHiddenDeltasChangesNoWeight) {
    TRedNeuronal network;
    SmallestNetwork(network, ftSigmoide);
    network.SalidasEsperadas[1] = 1e308;
    // Output sum -5e9 + 0.5 * 1e10 = 0; the delta 2.5e307 times the weight 1e10 overflows.
    network.CapaSalida.Neuronas[1].Pesos[0] = 5e9;
    network.CapaSalida.Neuronas[1].Pesos[1] = 1e10;
    const auto before = AllWeights(network);
    try {
        network.EntrenarPatron();
        FAIL() << "no overflow";
    } catch (const ProgramError& e) {
        EXPECT_EQ(std::string(e.what()), "Floating point overflow");
    }
    EXPECT_EQ(AllWeights(network), before);
}

TEST(EntrenarPatron, OverflowInWeightUpdateStopsAtThatWeight) {
    TRedNeuronal network;
    PrepareStartUpNetwork(network);
    network.SetNumeroEntradas(2);
    network.SetNeuronasCapaOculta(3);
    for (int j = 1; j <= 3; ++j) {
        network.CapaOculta.Neuronas[j].Pesos[0] = 0;
        network.CapaOculta.Neuronas[j].Pesos[1] = 1e-300;  // hidden sums stay near 0
        network.CapaOculta.Neuronas[j].Pesos[2] = 0;
    }
    network.CapaSalida.Neuronas[1].Pesos[0] = 0;
    network.CapaSalida.Neuronas[1].Pesos[1] = 1e-290;  // hidden neuron 1: small delta
    network.CapaSalida.Neuronas[1].Pesos[2] = 1e-3;    // hidden neuron 2: delta near 1e303
    network.CapaSalida.Neuronas[1].Pesos[3] = 1e-290;  // hidden neuron 3: small delta
    network.Entradas[1] = 1e10;
    network.Entradas[2] = 1;
    network.SalidasEsperadas[1] = 1e308;
    EXPECT_THROW(network.EntrenarPatron(), ProgramError);

    EXPECT_NE(network.CapaSalida.Neuronas[1].Pesos[0], 0.0);      // output weights: done
    EXPECT_NE(network.CapaOculta.Neuronas[2].Pesos[0], 0.0);      // hidden bias: done
    EXPECT_NE(network.CapaOculta.Neuronas[1].Pesos[1], 1e-300);   // before the overflow: done
    EXPECT_EQ(network.CapaOculta.Neuronas[2].Pesos[1], 1e-300);   // the overflowing weight
    EXPECT_EQ(network.CapaOculta.Neuronas[3].Pesos[1], 1e-300);   // after it in the same row: untouched
    EXPECT_EQ(network.CapaOculta.Neuronas[1].Pesos[2], 0.0);      // after it: untouched
    for (double w : AllWeights(network)) EXPECT_TRUE(std::isfinite(w));
}

TEST(EntrenarPatron, MakesNoAllocation) {
    TRedNeuronal network;
    PrepareStartUpNetwork(network);
    network.SetNumeroEntradas(32);
    network.SetNeuronasCapaOculta(32);
    network.SetNeuronasCapaSalida(32);
    network.SetFuncionTransferencia(ftTangenteHiperbolica);
    network.Entradas[3] = 0.5;
    network.SalidasEsperadas[2] = 0.5;
    const int before = allocations;
    network.Propagar();
    network.EntrenarPatron();
    EXPECT_EQ(allocations, before);
    ::operator delete(::operator new(8));
    EXPECT_EQ(allocations, before + 1);  // the counter does count
}

// Step 1 on the smallest sigmoid network learns (δo = 0.125, the hidden
// delta 0); steps 2 and 3 present a pattern the network already answers
// exactly, so their own gradient is 0 and only α·Δw′ moves the weights.
struct LearningCase {
    double rate, momentum;
    double bias[3], weight[3];  // the output neuron's Pesos[0] and Pesos[1] after each step
};

void PrintTo(const LearningCase& c, std::ostream* out) { *out << "eta " << c.rate << " alpha " << c.momentum; }

class EntrenarPatronLearning : public ::testing::TestWithParam<LearningCase> {};

TEST_P(EntrenarPatronLearning, TakesRateAndMomentumInTheKernelsOrder) {
    const LearningCase c = GetParam();
    TRedNeuronal network;
    SmallestNetwork(network, ftSigmoide);
    network.SetLearning({c.rate, c.momentum});
    for (int step = 0; step < 3; ++step) {
        if (step > 0) {
            network.Propagar();
            network.SalidasEsperadas[1] = network.SalidasObtenidas[1];
        }
        network.EntrenarPatron();
        EXPECT_EQ(network.CapaSalida.Neuronas[1].Pesos[0], c.bias[step]) << "step " << step + 1;
        EXPECT_EQ(network.CapaSalida.Neuronas[1].Pesos[1], c.weight[step]) << "step " << step + 1;
        EXPECT_EQ(network.CapaOculta.Neuronas[1].Pesos[0], 0.0) << "step " << step + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Settings, EntrenarPatronLearning,
    ::testing::Values(LearningCase{0.35, 0, {-0.04375, -0.04375, -0.04375}, {0.021875, 0.021875, 0.021875}},
                      LearningCase{0.5, 0, {-0.0625, -0.0625, -0.0625}, {0.03125, 0.03125, 0.03125}},
                      LearningCase{0.5, 0.5, {-0.0625, -0.09375, -0.109375}, {0.03125, 0.046875, 0.0546875}},
                      LearningCase{0.5, 0.25, {-0.0625, -0.078125, -0.08203125}, {0.03125, 0.0390625, 0.041015625}},
                      LearningCase{2, 0.75, {-0.25, -0.4375, -0.578125}, {0.125, 0.21875, 0.2890625}}));

// Whatever gives the weights anew, or changes the settings, forgets the
// previous changes: a step with no gradient then moves nothing.
TEST(EntrenarPatron, MomentumForgetsPreviousChanges) {
    const std::vector<std::pair<const char*, void (*)(TRedNeuronal&)>> forgetting = {
        {"InicializarPesos", [](TRedNeuronal& n) { n.InicializarPesos(); }},
        {"SetNeuronasCapaOculta", [](TRedNeuronal& n) { n.SetNeuronasCapaOculta(1); }},
        {"another momentum", [](TRedNeuronal& n) { n.SetLearning({0.5, 0.25}); }},
        {"another rate", [](TRedNeuronal& n) { n.SetLearning({0.25, 0.5}); }},
        {"ForgetPreviousChanges", [](TRedNeuronal& n) { n.ForgetPreviousChanges(); }},
    };
    for (const auto& [name, forget] : forgetting) {
        TRedNeuronal network;
        SmallestNetwork(network, ftSigmoide);
        network.SetLearning({0.5, 0.5});
        network.EntrenarPatron();
        forget(network);
        network.Entradas[1] = 1;
        network.Propagar();
        network.SalidasEsperadas[1] = network.SalidasObtenidas[1];
        const auto before = AllWeights(network);
        network.EntrenarPatron();
        EXPECT_EQ(AllWeights(network), before) << name;
    }
    // The same settings again keep them.
    TRedNeuronal network;
    SmallestNetwork(network, ftSigmoide);
    network.SetLearning({0.5, 0.5});
    network.EntrenarPatron();
    network.SetLearning({0.5, 0.5});
    network.Propagar();
    network.SalidasEsperadas[1] = network.SalidasObtenidas[1];
    network.EntrenarPatron();
    EXPECT_EQ(network.CapaSalida.Neuronas[1].Pesos[0], -0.09375);
}

TEST(EntrenarPatron, RefusesRateAndMomentumOutOfRange) {
    const double infinity = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
    for (const LearningSettings bad : {LearningSettings{0, 0}, {-0.1, 0}, {nan, 0}, {infinity, 0}, {0.35, -0.1},
                                       {0.35, 1}, {0.35, nan}}) {
        TRedNeuronal network;
        EXPECT_THROW(network.SetLearning(bad), std::out_of_range) << bad.LearningRate << " " << bad.Momentum;
        EXPECT_EQ(network.Learning(), LearningSettings{});
    }
    TRedNeuronal network;
    network.SetLearning({10, 0.99});
    EXPECT_EQ(network.Learning(), (LearningSettings{10, 0.99}));
}
