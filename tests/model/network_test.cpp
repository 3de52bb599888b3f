// SPDX-License-Identifier: GPL-3.0-or-later
#include "network.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "exp.h"
#include "frozen_clock.h"
#include "hard_arguments.h"
#include "program_error.h"

namespace {

const TimeOfDay Antes{9, 0, 0, 0};
const TimeOfDay Later{9, 0, 0, 500};

// The weights neuron of `n` inputs receives when initialised under `hora`.
std::vector<double> SeededWeights(TimeOfDay hour, int n) {
    const auto d = DrawsMinusHalf(Seed(hour), 2 * n + 1);
    std::vector<double> weights{d[0]};
    for (int k = 1; k <= n; ++k) weights.push_back(d[static_cast<std::size_t>(2 * k)]);
    return weights;
}

std::vector<double> Pesos(const TNeurona& neuron) {
    std::vector<double> weights;
    for (std::size_t k = 0; k <= static_cast<std::size_t>(neuron.NumeroEntradas()); ++k)
        weights.push_back(neuron.Pesos[k]);
    return weights;
}

void PutWeights(TCapaNeuronal& layer, int neurons, double value) {
    for (int j = 1; j <= neurons; ++j)
        for (std::size_t k = 0; k <= static_cast<std::size_t>(layer.Neuronas[j].NumeroEntradas()); ++k)
            layer.Neuronas[j].Pesos[k] = value;
}

}  // namespace

TEST(RedNeuronal, ConstructionSetsFieldsWithoutTheWriters) {
    TRedNeuronal network;
    EXPECT_EQ(network.NeuronasCapaOculta(), 2);
    EXPECT_EQ(network.NeuronasCapaSalida(), 1);
    EXPECT_EQ(network.NumeroEntradas(), 2);
    EXPECT_EQ(network.FuncionTransferencia(), ftIdentidad);
    EXPECT_EQ(network.CapaSalida.NumeroNeuronas(), 2);  // the writers have not run yet
    EXPECT_EQ(network.CapaSalida.NumeroEntradas(), 2);
    for (int i = 1; i <= 32; ++i) {
        EXPECT_EQ(network.Entradas[static_cast<std::size_t>(i)], 0.0);
        EXPECT_EQ(network.SalidasObtenidas[static_cast<std::size_t>(i)], 0.0);
    }
}

TEST(RedNeuronal, InitialPreparationMakesTheInvariantsHold) {
    FrozenClock clock(Antes);
    TRedNeuronal network;
    clock.Set(Later);
    PrepareStartUpNetwork(network);
    EXPECT_EQ(network.FuncionTransferencia(), ftSigmoide);
    EXPECT_EQ(network.CapaOculta.NumeroNeuronas(), 2);
    EXPECT_EQ(network.CapaOculta.NumeroEntradas(), 2);
    EXPECT_EQ(network.CapaSalida.NumeroNeuronas(), 1);
    EXPECT_EQ(network.CapaSalida.NumeroEntradas(), 2);
    for (TCapaNeuronal* layer : {&network.CapaOculta, &network.CapaSalida})
        for (int j = 1; j <= layer->NumeroNeuronas(); ++j) {
            EXPECT_EQ(layer->Neuronas[j].FuncionTransferencia(), ftSigmoide);
            EXPECT_EQ(Pesos(layer->Neuronas[j]), SeededWeights(Later, 2));
        }
    // Output neuron 2 was still active when the hidden count was written.
    EXPECT_EQ(Pesos(network.CapaSalida.Neuronas[2]), SeededWeights(Later, 2));
    EXPECT_EQ(Pesos(network.CapaSalida.Neuronas[3]), SeededWeights(Antes, 2));
}

TEST(RedNeuronal, FrozenClockGivesIdenticalNetworks) {
    FrozenClock clock({15, 45, 0, 123});
    TRedNeuronal a, b;
    PrepareStartUpNetwork(a);
    PrepareStartUpNetwork(b);
    for (int j = 1; j <= 2; ++j) EXPECT_EQ(Pesos(a.CapaOculta.Neuronas[j]), Pesos(b.CapaOculta.Neuronas[j]));
    EXPECT_EQ(Pesos(a.CapaSalida.Neuronas[1]), Pesos(b.CapaSalida.Neuronas[1]));
}

TEST(RedNeuronal, WriterOfHiddenCountRerandomisesBothLayers) {
    FrozenClock clock(Antes);
    TRedNeuronal network;
    PrepareStartUpNetwork(network);
    clock.Set(Later);
    network.SetNeuronasCapaOculta(3);
    for (int j = 1; j <= 3; ++j) EXPECT_EQ(Pesos(network.CapaOculta.Neuronas[j]), SeededWeights(Later, 2)) << j;
    EXPECT_EQ(Pesos(network.CapaSalida.Neuronas[1]), SeededWeights(Later, 3));
    EXPECT_EQ(network.CapaOculta.Neuronas[3].FuncionTransferencia(), ftSigmoide);
    EXPECT_EQ(Pesos(network.CapaOculta.Neuronas[4]), SeededWeights(Antes, 2));
}

TEST(RedNeuronal, LoweringOutputCountLeavesTheRestAndRaisingItRefreshes) {
    FrozenClock clock(Antes);
    TRedNeuronal network;
    PrepareStartUpNetwork(network);
    network.SetNeuronasCapaSalida(3);
    network.Propagar();
    const double output3 = network.SalidasObtenidas[3];
    const auto weights3 = Pesos(network.CapaSalida.Neuronas[3]);

    network.SetNeuronasCapaSalida(1);
    network.SetFuncionTransferencia(ftTangenteHiperbolica);
    network.Entradas[1] = 0.3;
    network.Propagar();
    EXPECT_EQ(network.SalidasObtenidas[3], output3);
    EXPECT_EQ(Pesos(network.CapaSalida.Neuronas[3]), weights3);
    EXPECT_EQ(network.CapaSalida.Neuronas[3].FuncionTransferencia(), ftSigmoide);

    clock.Set(Later);
    network.SetNeuronasCapaSalida(3);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(Pesos(network.CapaSalida.Neuronas[i]), SeededWeights(Later, 2)) << i;
        EXPECT_EQ(network.CapaSalida.Neuronas[i].FuncionTransferencia(), ftTangenteHiperbolica) << i;
    }
}

TEST(RedNeuronal, WriterOfInputCountZeroesOnlyThoseInputs) {
    TRedNeuronal network;
    PrepareStartUpNetwork(network);
    for (std::size_t i = 1; i <= 32; ++i) network.Entradas[i] = static_cast<double>(i);
    network.SetNumeroEntradas(3);
    for (std::size_t i = 1; i <= 3; ++i) EXPECT_EQ(network.Entradas[i], 0.0);
    for (std::size_t i = 4; i <= 32; ++i) EXPECT_EQ(network.Entradas[i], static_cast<double>(i));
    EXPECT_EQ(network.CapaOculta.Neuronas[2].NumeroEntradas(), 3);
    EXPECT_EQ(network.CapaSalida.Neuronas[1].NumeroEntradas(), 2);
}

TEST(RedNeuronal, ConfigurationWritersChangeNoWeightNorValue) {
    TRedNeuronal network;
    PrepareStartUpNetwork(network);
    network.Entradas[1] = 0.5;
    network.Propagar();
    const auto hiddenLayer = Pesos(network.CapaOculta.Neuronas[1]);
    const auto output = Pesos(network.CapaSalida.Neuronas[1]);
    const NetworkValues inputs = network.Entradas, obtained = network.SalidasObtenidas;
    network.SetFuncionTransferencia(ftTangenteHiperbolica);
    network.SetFuncionSalida(fsEscalon);
    network.SetReglaPropagacion(rpLineal);
    network.SetUmbral(0.25);
    EXPECT_EQ(Pesos(network.CapaOculta.Neuronas[1]), hiddenLayer);
    EXPECT_EQ(Pesos(network.CapaSalida.Neuronas[1]), output);
    EXPECT_EQ(network.Entradas, inputs);
    EXPECT_EQ(network.SalidasObtenidas, obtained);
    EXPECT_EQ(network.CapaSalida.Neuronas[1].FuncionSalida(), fsEscalon);
    EXPECT_EQ(network.CapaOculta.Neuronas[2].Umbral(), 0.25);
}

TEST(RedNeuronal, InactiveNeuronTakesTheLayersFunctionWhenActivated) {
    TCapaNeuronal layer;
    layer.SetFuncionTransferencia(ftSigmoide);
    EXPECT_EQ(layer.Neuronas[3].FuncionTransferencia(), ftIdentidad);
    layer.SetNumeroNeuronas(3);
    EXPECT_EQ(layer.Neuronas[3].FuncionTransferencia(), ftSigmoide);
}

TEST(RedNeuronal, ZeroWeightsWithSigmoidGiveOneHalf) {
    TRedNeuronal network;
    PrepareStartUpNetwork(network);
    network.SetNeuronasCapaOculta(4);
    network.SetNeuronasCapaSalida(5);
    PutWeights(network.CapaOculta, 4, 0);
    PutWeights(network.CapaSalida, 5, 0);
    network.Entradas[1] = 3;
    network.Entradas[2] = -7;
    network.Propagar();
    for (std::size_t i = 1; i <= 5; ++i) EXPECT_EQ(network.SalidasObtenidas[i], 0.5);
    EXPECT_EQ(network.SalidasObtenidas[6], 0.0);
    EXPECT_EQ(network.CapaSalida.Neuronas[5].Entradas[4], 0.5);
    EXPECT_EQ(network.CapaOculta.Neuronas[4].Entradas[2], -7.0);
}

TEST(RedNeuronal, LayerPassMatchesEachNeuronComputingAlone) {
    FrozenClock clock({3, 3, 3, 3});
    TRedNeuronal network;
    PrepareStartUpNetwork(network);
    network.SetNumeroEntradas(32);
    network.SetNeuronasCapaOculta(32);
    network.SetNeuronasCapaSalida(31);
    for (TCapaNeuronal* layer : {&network.CapaOculta, &network.CapaSalida})
        for (int j = 1; j <= 32; ++j)
            for (std::size_t k = 0; k <= 32; ++k) layer->Neuronas[j].Pesos[k] = RandomGenerator::Draw() * 4 - 2;
    for (std::size_t i = 1; i <= 32; ++i) network.Entradas[i] = RandomGenerator::Draw() * 10 - 5;
    network.SetUmbral(0.6);
    // A threshold output after a sigmoid or tangent must keep the layer off
    // the shared-function path.
    for (TFuncionSalida fs : {fsIdentidad, fsUmbral, fsEscalon})
        for (TFuncionTransferencia ft : {ftSigmoide, ftTangenteHiperbolica, ftIdentidad, ftEscalon}) {
            network.SetFuncionSalida(fs);
            network.SetFuncionTransferencia(ft);
            network.Propagar();
            for (TCapaNeuronal* layer : {&network.CapaOculta, &network.CapaSalida})
                for (int j = 1; j <= layer->NumeroNeuronas(); ++j) {
                    const double output = layer->Neuronas[j].Salida();
                    layer->Neuronas[j].CalcularSalida();
                    EXPECT_EQ(layer->Neuronas[j].Salida(), output) << ft << " " << fs << " neuron " << j;
                }
            for (int i = 1; i <= 31; ++i)
                EXPECT_EQ(network.SalidasObtenidas[static_cast<std::size_t>(i)], network.CapaSalida.Neuronas[i].Salida());
        }
}

TEST(RedNeuronal, LayerPassSettlesExponentialsCloseToARoundingBoundary) {
    // Hidden neuron j's sum is -Pesos[0] (the inputs are 0). One neuron at a
    // time gets a bias weight whose exponential the quick check cannot settle;
    // the others get ordinary ones. Layers of one, one and a bit, and eight blocks.
    for (const int hidden : {1, 3, 5, 32})
        for (const TFuncionTransferencia ft : {ftSigmoide, ftTangenteHiperbolica})
            for (const double x : HardArguments) {
                const int hard = hidden == 1 ? 1 : hidden - 1;
                TRedNeuronal network;
                PrepareStartUpNetwork(network);
                network.SetNumeroEntradas(1);
                network.SetNeuronasCapaOculta(static_cast<TRangoNeuronas>(hidden));
                network.SetFuncionTransferencia(ft);
                for (int j = 1; j <= hidden; ++j) network.CapaOculta.Neuronas[j].Pesos[0] = j == hard ? x : 0.25 * j;
                network.Propagar();
                const double ex = ExactExp(x), emx = ExactExp(-x);
                const double expectedValue = ft == ftSigmoide ? 1 / (1 + ex) : (emx - ex) / (emx + ex);
                EXPECT_EQ(network.CapaOculta.Neuronas[hard].Salida(), expectedValue) << hidden << " " << ft;
                for (int j = 1; j <= hidden; ++j) {
                    const double output = network.CapaOculta.Neuronas[j].Salida();
                    network.CapaOculta.Neuronas[j].CalcularSalida();
                    EXPECT_EQ(network.CapaOculta.Neuronas[j].Salida(), output) << hidden << " " << ft << " " << j;
                }
            }
}

TEST(RedNeuronal, OverflowInHiddenLayerLeavesLaterNeuronsAndOutputsAlone) {
    TRedNeuronal network;
    PrepareStartUpNetwork(network);
    network.SetNeuronasCapaOculta(3);
    network.SetNeuronasCapaSalida(2);
    network.Propagar();
    const double output3 = network.CapaOculta.Neuronas[3].Salida();
    const double input3 = network.CapaOculta.Neuronas[3].Entradas[1];
    const double output2 = network.CapaOculta.Neuronas[2].Salida();
    const NetworkValues obtained = network.SalidasObtenidas;
    const double inputOutput = network.CapaSalida.Neuronas[1].Entradas[1];

    network.CapaOculta.Neuronas[2].Pesos[1] = 1;
    network.CapaOculta.Neuronas[2].Pesos[0] = 0;
    network.CapaOculta.Neuronas[2].Pesos[2] = 0;
    network.Entradas[1] = -800;  // sigmoid of -800 overflows; neurons 1 and 3 stay in range
    network.Entradas[2] = 0.125;
    network.CapaOculta.Neuronas[1].Pesos[1] = 0;
    network.CapaOculta.Neuronas[3].Pesos[1] = 0;
    try {
        network.Propagar();
        FAIL() << "no overflow";
    } catch (const ProgramError& e) {
        EXPECT_EQ(std::string(e.what()), "Floating point overflow");
    }
    EXPECT_EQ(network.CapaOculta.Neuronas[1].Entradas[1], -800.0);
    EXPECT_NE(network.CapaOculta.Neuronas[1].Salida(), 0.0);
    EXPECT_EQ(network.CapaOculta.Neuronas[2].Entradas[2], 0.125);  // got its inputs, not its output
    EXPECT_EQ(network.CapaOculta.Neuronas[2].Salida(), output2);
    EXPECT_EQ(network.CapaOculta.Neuronas[3].Entradas[1], input3);
    EXPECT_EQ(network.CapaOculta.Neuronas[3].Salida(), output3);
    EXPECT_EQ(network.CapaSalida.Neuronas[1].Entradas[1], inputOutput);
    EXPECT_EQ(network.SalidasObtenidas, obtained);
}

TEST(RedNeuronal, OverflowInOutputLayerKeepsEarlierObtainedOutputs) {
    TRedNeuronal network;
    PrepareStartUpNetwork(network);
    network.SetNeuronasCapaSalida(3);
    network.SetFuncionTransferencia(ftIdentidad);
    PutWeights(network.CapaOculta, 2, 0);
    network.CapaOculta.Neuronas[1].Pesos[1] = 1e300;
    network.CapaOculta.Neuronas[2].Pesos[1] = 1e300;
    network.Entradas[1] = 1;
    network.Entradas[2] = 0;
    network.SalidasObtenidas[2] = 42;
    network.SalidasObtenidas[3] = 43;
    network.CapaSalida.Neuronas[1].Pesos[1] = 0;
    network.CapaSalida.Neuronas[1].Pesos[2] = 0;
    network.CapaSalida.Neuronas[1].Pesos[0] = 2;
    network.CapaSalida.Neuronas[2].Pesos[1] = 1e10;  // 1e310 is out of range
    EXPECT_THROW(network.Propagar(), ProgramError);
    EXPECT_EQ(network.SalidasObtenidas[1], -2.0);
    EXPECT_EQ(network.SalidasObtenidas[2], 42.0);
    EXPECT_EQ(network.SalidasObtenidas[3], 43.0);
    EXPECT_EQ(network.CapaSalida.Neuronas[2].Entradas[1], network.CapaOculta.Neuronas[1].Salida());
    EXPECT_NE(network.CapaSalida.Neuronas[3].Entradas[1], network.CapaOculta.Neuronas[1].Salida());
}

TEST(RedNeuronal, PassUsesTheNetworksCountsNotTheLayers) {
    TRedNeuronal network;  // constructed: the output layer still has 2 active neurons, the network 1
    network.SalidasObtenidas[2] = 7;
    network.Propagar();
    EXPECT_EQ(network.SalidasObtenidas[2], 7.0);
    EXPECT_EQ(network.SalidasObtenidas[1], network.CapaSalida.Neuronas[1].Salida());
}

TEST(RedNeuronal, CountsBeyondTheArraysAreRefusedBeforeAnythingChanges) {
    TRedNeuronal network;
    PrepareStartUpNetwork(network);
    const auto weights = Pesos(network.CapaOculta.Neuronas[1]);
    EXPECT_THROW(network.SetNumeroEntradas(33), std::out_of_range);
    EXPECT_THROW(network.SetNumeroEntradas(-1), std::out_of_range);
    EXPECT_THROW(network.SetNeuronasCapaOculta(33), std::out_of_range);
    EXPECT_THROW(network.SetNeuronasCapaSalida(200), std::out_of_range);
    EXPECT_THROW(network.CapaOculta.Neuronas[1].SetNumeroEntradas(33), std::out_of_range);
    EXPECT_EQ(network.NumeroEntradas(), 2);
    EXPECT_EQ(network.NeuronasCapaOculta(), 2);
    EXPECT_EQ(network.NeuronasCapaSalida(), 1);
    EXPECT_EQ(Pesos(network.CapaOculta.Neuronas[1]), weights);
    network.SetNeuronasCapaOculta(32);  // the limits themselves are fine
    network.SetNumeroEntradas(32);
    EXPECT_EQ(network.CapaSalida.Neuronas[1].NumeroEntradas(), 32);
}

TEST(RedNeuronal, NotANumberInputIsReportedNotStored) {
    TRedNeuronal network;
    PrepareStartUpNetwork(network);
    network.Propagar();
    const NetworkValues obtained = network.SalidasObtenidas;
    network.Entradas[1] = std::nan("");
    EXPECT_THROW(network.Propagar(), ProgramError);
    EXPECT_EQ(network.SalidasObtenidas, obtained);
    EXPECT_FALSE(std::isnan(network.CapaOculta.Neuronas[1].Salida()));
}

// A layer of one sigmoid or tangent neuron has a pass of its own; a weighted
// sum that overflows to ±∞ there must be reported, not squashed to ±1.
struct InfiniteSumCase {
    const char* name;
    bool hidden;  // the infinite sum in the hidden layer, else in the output layer
    TFuncionTransferencia function;
    double sign;
    bool training;  // EntrenarPatron, else Propagar
};

class OneNeuronLayerOverflow : public ::testing::TestWithParam<InfiniteSumCase> {};

TEST_P(OneNeuronLayerOverflow, InfiniteWeightedSumIsAnOverflow) {
    const InfiniteSumCase& c = GetParam();
    TRedNeuronal network;
    PrepareStartUpNetwork(network);
    network.SetNumeroEntradas(1);
    network.SetNeuronasCapaOculta(1);
    network.SetFuncionTransferencia(c.function);
    PutWeights(network.CapaOculta, 1, 0);
    PutWeights(network.CapaSalida, 1, 0);
    network.Entradas[1] = 1e300;
    network.SalidasEsperadas[1] = 0.5;
    // 1e300 · 1e10 is beyond the double range: the sum is ±∞.
    if (c.hidden) {
        network.CapaOculta.Neuronas[1].Pesos[1] = c.sign * 1e10;
    } else {
        network.CapaOculta.Neuronas[1].Pesos[1] = 1;
        network.SetFuncionTransferencia(ftIdentidad);
        network.CapaOculta.SetFuncionTransferencia(ftIdentidad);
        network.CapaSalida.SetFuncionTransferencia(c.function);
        network.CapaSalida.Neuronas[1].Pesos[1] = c.sign * 1e10;
    }
    network.SalidasObtenidas[1] = 42;
    try {
        if (c.training) network.EntrenarPatron();
        else network.Propagar();
        ADD_FAILURE() << "no overflow; y = " << network.SalidasObtenidas[1];
    } catch (const ProgramError& e) {
        EXPECT_EQ(std::string(e.what()), "Floating point overflow");
    }
    EXPECT_EQ(network.SalidasObtenidas[1], 42.0);
}

INSTANTIATE_TEST_SUITE_P(
    RedNeuronal, OneNeuronLayerOverflow,
    ::testing::Values(InfiniteSumCase{"HiddenSigmoidPlus", true, ftSigmoide, 1, false},
                      InfiniteSumCase{"HiddenSigmoidPlusTraining", true, ftSigmoide, 1, true},
                      InfiniteSumCase{"HiddenTangentPlus", true, ftTangenteHiperbolica, 1, false},
                      InfiniteSumCase{"HiddenTangentMinusTraining", true, ftTangenteHiperbolica, -1, true},
                      InfiniteSumCase{"OutputSigmoidPlus", false, ftSigmoide, 1, false},
                      InfiniteSumCase{"OutputSigmoidPlusTraining", false, ftSigmoide, 1, true}),
    [](const ::testing::TestParamInfo<InfiniteSumCase>& info) { return std::string(info.param.name); });
