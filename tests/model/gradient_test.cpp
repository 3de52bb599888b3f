// SPDX-License-Identifier: GPL-3.0-or-later
// One training step must move each weight against the gradient of
// E = 1/2 sum (D - O)^2, measured here by central differences: this catches
// sign, index and loop-order faults that hand-worked examples miss.

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "network.h"

namespace {

struct Weight {
    TCapaNeuronal* layer;
    int neuron;
    std::size_t k;
    double& Value() const { return layer->Neuronas[neuron].Pesos[k]; }
};

double Error(TRedNeuronal& network) {
    network.Propagar();
    double e = 0;
    for (std::size_t i = 1; i <= network.NeuronasCapaSalida(); ++i) {
        const double d = network.SalidasEsperadas[i] - network.SalidasObtenidas[i];
        e += 0.5 * d * d;
    }
    return e;
}

class Gradient : public ::testing::TestWithParam<TFuncionTransferencia> {};

}  // namespace

TEST_P(Gradient, OneStepMovesEachWeightByMinusEtaTimesTheGradient) {
    std::mt19937 random(20240611);
    std::uniform_real_distribution<double> uniform(-1, 1);
    TRedNeuronal network;
    PrepareStartUpNetwork(network);
    network.SetFuncionTransferencia(GetParam());
    network.SetNumeroEntradas(3);
    network.SetNeuronasCapaOculta(4);
    network.SetNeuronasCapaSalida(2);

    std::vector<Weight> weights;
    for (int j = 1; j <= 4; ++j)
        for (std::size_t k = 0; k <= 3; ++k) weights.push_back({&network.CapaOculta, j, k});
    for (int i = 1; i <= 2; ++i)
        for (std::size_t k = 0; k <= 4; ++k) weights.push_back({&network.CapaSalida, i, k});
    for (const Weight& p : weights) p.Value() = uniform(random);
    for (std::size_t i = 1; i <= 3; ++i) network.Entradas[i] = uniform(random);
    network.SalidasEsperadas[1] = 0.8;
    network.SalidasEsperadas[2] = GetParam() == ftSigmoide ? 0.1 : -0.6;

    const double h = 1e-6;
    std::vector<double> gradient, before;
    double largestValue = 0;
    for (const Weight& p : weights) {
        const double w = p.Value();
        p.Value() = w + h;
        const double errorUp = Error(network);
        p.Value() = w - h;
        const double errorDown = Error(network);
        p.Value() = w;
        gradient.push_back((errorUp - errorDown) / (2 * h));
        before.push_back(w);
        largestValue = std::max(largestValue, std::fabs(gradient.back()));
    }
    ASSERT_GT(largestValue, 1e-3) << "a gradient of zero would let any step pass";

    network.Propagar();
    const NetworkValues outputsBefore = network.SalidasObtenidas;
    network.EntrenarPatron();
    EXPECT_EQ(network.SalidasObtenidas, outputsBefore);
    for (std::size_t w = 0; w < weights.size(); ++w) {
        const double moved = weights[w].Value() - before[w];
        EXPECT_NEAR(moved, -0.35 * gradient[w], 1e-8 + 1e-6 * std::fabs(gradient[w]))
            << (weights[w].layer == &network.CapaOculta ? "hidden " : "output ") << weights[w].neuron << " weight "
            << weights[w].k;
    }
}

INSTANTIATE_TEST_SUITE_P(Functions, Gradient, ::testing::Values(ftSigmoide, ftTangenteHiperbolica),
                         [](const auto& info) { return info.param == ftSigmoide ? "Sigmoide" : "TangenteHiperbolica"; });
