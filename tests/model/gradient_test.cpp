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
    TCapaNeuronal* capa;
    int neurona;
    std::size_t k;
    double& Value() const { return capa->Neuronas[neurona].Pesos[k]; }
};

double Error(TRedNeuronal& red) {
    red.Propagar();
    double e = 0;
    for (std::size_t i = 1; i <= red.NeuronasCapaSalida(); ++i) {
        const double d = red.SalidasEsperadas[i] - red.SalidasObtenidas[i];
        e += 0.5 * d * d;
    }
    return e;
}

class Gradiente : public ::testing::TestWithParam<TFuncionTransferencia> {};

}  // namespace

TEST_P(Gradiente, OneStepMovesEachWeightByMinusEtaTimesTheGradient) {
    std::mt19937 azar(20240611);
    std::uniform_real_distribution<double> uniforme(-1, 1);
    TRedNeuronal red;
    PrepareStartUpNetwork(red);
    red.SetFuncionTransferencia(GetParam());
    red.SetNumeroEntradas(3);
    red.SetNeuronasCapaOculta(4);
    red.SetNeuronasCapaSalida(2);

    std::vector<Weight> pesos;
    for (int j = 1; j <= 4; ++j)
        for (std::size_t k = 0; k <= 3; ++k) pesos.push_back({&red.CapaOculta, j, k});
    for (int i = 1; i <= 2; ++i)
        for (std::size_t k = 0; k <= 4; ++k) pesos.push_back({&red.CapaSalida, i, k});
    for (const Weight& p : pesos) p.Value() = uniforme(azar);
    for (std::size_t i = 1; i <= 3; ++i) red.Entradas[i] = uniforme(azar);
    red.SalidasEsperadas[1] = 0.8;
    red.SalidasEsperadas[2] = GetParam() == ftSigmoide ? 0.1 : -0.6;

    const double h = 1e-6;
    std::vector<double> gradiente, antes;
    double mayor = 0;
    for (const Weight& p : pesos) {
        const double w = p.Value();
        p.Value() = w + h;
        const double arriba = Error(red);
        p.Value() = w - h;
        const double abajo = Error(red);
        p.Value() = w;
        gradiente.push_back((arriba - abajo) / (2 * h));
        antes.push_back(w);
        mayor = std::max(mayor, std::fabs(gradiente.back()));
    }
    ASSERT_GT(mayor, 1e-3) << "a gradient of zero would let any step pass";

    red.Propagar();
    const NetworkValues salidasAntes = red.SalidasObtenidas;
    red.EntrenarPatron();
    EXPECT_EQ(red.SalidasObtenidas, salidasAntes);
    for (std::size_t w = 0; w < pesos.size(); ++w) {
        const double movido = pesos[w].Value() - antes[w];
        EXPECT_NEAR(movido, -0.35 * gradiente[w], 1e-8 + 1e-6 * std::fabs(gradiente[w]))
            << (pesos[w].capa == &red.CapaOculta ? "hidden " : "output ") << pesos[w].neurona << " weight "
            << pesos[w].k;
    }
}

INSTANTIATE_TEST_SUITE_P(Funciones, Gradiente, ::testing::Values(ftSigmoide, ftTangenteHiperbolica),
                         [](const auto& info) { return info.param == ftSigmoide ? "Sigmoide" : "TangenteHiperbolica"; });
