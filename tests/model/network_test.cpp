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
const TimeOfDay Despues{9, 0, 0, 500};

// The weights neuron of `n` inputs receives when initialised under `hora`.
std::vector<double> SeededWeights(TimeOfDay hour, int n) {
    const auto d = DrawsMinusHalf(Seed(hour), 2 * n + 1);
    std::vector<double> pesos{d[0]};
    for (int k = 1; k <= n; ++k) pesos.push_back(d[static_cast<std::size_t>(2 * k)]);
    return pesos;
}

std::vector<double> Pesos(const TNeurona& neurona) {
    std::vector<double> pesos;
    for (std::size_t k = 0; k <= static_cast<std::size_t>(neurona.NumeroEntradas()); ++k)
        pesos.push_back(neurona.Pesos[k]);
    return pesos;
}

void PutWeights(TCapaNeuronal& capa, int neuronas, double valor) {
    for (int j = 1; j <= neuronas; ++j)
        for (std::size_t k = 0; k <= static_cast<std::size_t>(capa.Neuronas[j].NumeroEntradas()); ++k)
            capa.Neuronas[j].Pesos[k] = valor;
}

}  // namespace

TEST(RedNeuronal, ConstructionSetsFieldsWithoutTheWriters) {
    TRedNeuronal red;
    EXPECT_EQ(red.NeuronasCapaOculta(), 2);
    EXPECT_EQ(red.NeuronasCapaSalida(), 1);
    EXPECT_EQ(red.NumeroEntradas(), 2);
    EXPECT_EQ(red.FuncionTransferencia(), ftIdentidad);
    EXPECT_EQ(red.CapaSalida.NumeroNeuronas(), 2);  // the writers have not run yet
    EXPECT_EQ(red.CapaSalida.NumeroEntradas(), 2);
    for (int i = 1; i <= 32; ++i) {
        EXPECT_EQ(red.Entradas[static_cast<std::size_t>(i)], 0.0);
        EXPECT_EQ(red.SalidasObtenidas[static_cast<std::size_t>(i)], 0.0);
    }
}

TEST(RedNeuronal, InitialPreparationMakesTheInvariantsHold) {
    FrozenClock reloj(Antes);
    TRedNeuronal red;
    reloj.Set(Despues);
    PrepareStartUpNetwork(red);
    EXPECT_EQ(red.FuncionTransferencia(), ftSigmoide);
    EXPECT_EQ(red.CapaOculta.NumeroNeuronas(), 2);
    EXPECT_EQ(red.CapaOculta.NumeroEntradas(), 2);
    EXPECT_EQ(red.CapaSalida.NumeroNeuronas(), 1);
    EXPECT_EQ(red.CapaSalida.NumeroEntradas(), 2);
    for (TCapaNeuronal* capa : {&red.CapaOculta, &red.CapaSalida})
        for (int j = 1; j <= capa->NumeroNeuronas(); ++j) {
            EXPECT_EQ(capa->Neuronas[j].FuncionTransferencia(), ftSigmoide);
            EXPECT_EQ(Pesos(capa->Neuronas[j]), SeededWeights(Despues, 2));
        }
    // Output neuron 2 was still active when the hidden count was written.
    EXPECT_EQ(Pesos(red.CapaSalida.Neuronas[2]), SeededWeights(Despues, 2));
    EXPECT_EQ(Pesos(red.CapaSalida.Neuronas[3]), SeededWeights(Antes, 2));
}

TEST(RedNeuronal, FrozenClockGivesIdenticalNetworks) {
    FrozenClock reloj({15, 45, 0, 123});
    TRedNeuronal a, b;
    PrepareStartUpNetwork(a);
    PrepareStartUpNetwork(b);
    for (int j = 1; j <= 2; ++j) EXPECT_EQ(Pesos(a.CapaOculta.Neuronas[j]), Pesos(b.CapaOculta.Neuronas[j]));
    EXPECT_EQ(Pesos(a.CapaSalida.Neuronas[1]), Pesos(b.CapaSalida.Neuronas[1]));
}

TEST(RedNeuronal, WriterOfHiddenCountRerandomisesBothLayers) {
    FrozenClock reloj(Antes);
    TRedNeuronal red;
    PrepareStartUpNetwork(red);
    reloj.Set(Despues);
    red.SetNeuronasCapaOculta(3);
    for (int j = 1; j <= 3; ++j) EXPECT_EQ(Pesos(red.CapaOculta.Neuronas[j]), SeededWeights(Despues, 2)) << j;
    EXPECT_EQ(Pesos(red.CapaSalida.Neuronas[1]), SeededWeights(Despues, 3));
    EXPECT_EQ(red.CapaOculta.Neuronas[3].FuncionTransferencia(), ftSigmoide);
    EXPECT_EQ(Pesos(red.CapaOculta.Neuronas[4]), SeededWeights(Antes, 2));
}

TEST(RedNeuronal, LoweringOutputCountLeavesTheRestAndRaisingItRefreshes) {
    FrozenClock reloj(Antes);
    TRedNeuronal red;
    PrepareStartUpNetwork(red);
    red.SetNeuronasCapaSalida(3);
    red.Propagar();
    const double salida3 = red.SalidasObtenidas[3];
    const auto pesos3 = Pesos(red.CapaSalida.Neuronas[3]);

    red.SetNeuronasCapaSalida(1);
    red.SetFuncionTransferencia(ftTangenteHiperbolica);
    red.Entradas[1] = 0.3;
    red.Propagar();
    EXPECT_EQ(red.SalidasObtenidas[3], salida3);
    EXPECT_EQ(Pesos(red.CapaSalida.Neuronas[3]), pesos3);
    EXPECT_EQ(red.CapaSalida.Neuronas[3].FuncionTransferencia(), ftSigmoide);

    reloj.Set(Despues);
    red.SetNeuronasCapaSalida(3);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(Pesos(red.CapaSalida.Neuronas[i]), SeededWeights(Despues, 2)) << i;
        EXPECT_EQ(red.CapaSalida.Neuronas[i].FuncionTransferencia(), ftTangenteHiperbolica) << i;
    }
}

TEST(RedNeuronal, WriterOfInputCountZeroesOnlyThoseInputs) {
    TRedNeuronal red;
    PrepareStartUpNetwork(red);
    for (std::size_t i = 1; i <= 32; ++i) red.Entradas[i] = static_cast<double>(i);
    red.SetNumeroEntradas(3);
    for (std::size_t i = 1; i <= 3; ++i) EXPECT_EQ(red.Entradas[i], 0.0);
    for (std::size_t i = 4; i <= 32; ++i) EXPECT_EQ(red.Entradas[i], static_cast<double>(i));
    EXPECT_EQ(red.CapaOculta.Neuronas[2].NumeroEntradas(), 3);
    EXPECT_EQ(red.CapaSalida.Neuronas[1].NumeroEntradas(), 2);
}

TEST(RedNeuronal, ConfigurationWritersChangeNoWeightNorValue) {
    TRedNeuronal red;
    PrepareStartUpNetwork(red);
    red.Entradas[1] = 0.5;
    red.Propagar();
    const auto oculta = Pesos(red.CapaOculta.Neuronas[1]);
    const auto salida = Pesos(red.CapaSalida.Neuronas[1]);
    const NetworkValues entradas = red.Entradas, obtenidas = red.SalidasObtenidas;
    red.SetFuncionTransferencia(ftTangenteHiperbolica);
    red.SetFuncionSalida(fsEscalon);
    red.SetReglaPropagacion(rpLineal);
    red.SetUmbral(0.25);
    EXPECT_EQ(Pesos(red.CapaOculta.Neuronas[1]), oculta);
    EXPECT_EQ(Pesos(red.CapaSalida.Neuronas[1]), salida);
    EXPECT_EQ(red.Entradas, entradas);
    EXPECT_EQ(red.SalidasObtenidas, obtenidas);
    EXPECT_EQ(red.CapaSalida.Neuronas[1].FuncionSalida(), fsEscalon);
    EXPECT_EQ(red.CapaOculta.Neuronas[2].Umbral(), 0.25);
}

TEST(RedNeuronal, InactiveNeuronTakesTheLayersFunctionWhenActivated) {
    TCapaNeuronal capa;
    capa.SetFuncionTransferencia(ftSigmoide);
    EXPECT_EQ(capa.Neuronas[3].FuncionTransferencia(), ftIdentidad);
    capa.SetNumeroNeuronas(3);
    EXPECT_EQ(capa.Neuronas[3].FuncionTransferencia(), ftSigmoide);
}

TEST(RedNeuronal, ZeroWeightsWithSigmoidGiveOneHalf) {
    TRedNeuronal red;
    PrepareStartUpNetwork(red);
    red.SetNeuronasCapaOculta(4);
    red.SetNeuronasCapaSalida(5);
    PutWeights(red.CapaOculta, 4, 0);
    PutWeights(red.CapaSalida, 5, 0);
    red.Entradas[1] = 3;
    red.Entradas[2] = -7;
    red.Propagar();
    for (std::size_t i = 1; i <= 5; ++i) EXPECT_EQ(red.SalidasObtenidas[i], 0.5);
    EXPECT_EQ(red.SalidasObtenidas[6], 0.0);
    EXPECT_EQ(red.CapaSalida.Neuronas[5].Entradas[4], 0.5);
    EXPECT_EQ(red.CapaOculta.Neuronas[4].Entradas[2], -7.0);
}

TEST(RedNeuronal, LayerPassMatchesEachNeuronComputingAlone) {
    FrozenClock reloj({3, 3, 3, 3});
    TRedNeuronal red;
    PrepareStartUpNetwork(red);
    red.SetNumeroEntradas(32);
    red.SetNeuronasCapaOculta(32);
    red.SetNeuronasCapaSalida(31);
    for (TCapaNeuronal* capa : {&red.CapaOculta, &red.CapaSalida})
        for (int j = 1; j <= 32; ++j)
            for (std::size_t k = 0; k <= 32; ++k) capa->Neuronas[j].Pesos[k] = RandomGenerator::Draw() * 4 - 2;
    for (std::size_t i = 1; i <= 32; ++i) red.Entradas[i] = RandomGenerator::Draw() * 10 - 5;
    for (TFuncionTransferencia ft : {ftSigmoide, ftTangenteHiperbolica, ftIdentidad, ftEscalon}) {
        red.SetFuncionTransferencia(ft);
        red.Propagar();
        for (TCapaNeuronal* capa : {&red.CapaOculta, &red.CapaSalida})
            for (int j = 1; j <= capa->NumeroNeuronas(); ++j) {
                const double salida = capa->Neuronas[j].Salida();
                capa->Neuronas[j].CalcularSalida();
                EXPECT_EQ(capa->Neuronas[j].Salida(), salida) << ft << " neuron " << j;
            }
        for (int i = 1; i <= 31; ++i)
            EXPECT_EQ(red.SalidasObtenidas[static_cast<std::size_t>(i)], red.CapaSalida.Neuronas[i].Salida());
    }
}

TEST(RedNeuronal, LayerPassSettlesExponentialsCloseToARoundingBoundary) {
    // Hidden neuron j's sum is -Pesos[0] (the inputs are 0). One neuron at a
    // time gets a bias weight whose exponential the quick check cannot settle;
    // the others get ordinary ones. Layers of one, one and a bit, and eight blocks.
    for (const int ocultas : {1, 3, 5, 32})
        for (const TFuncionTransferencia ft : {ftSigmoide, ftTangenteHiperbolica})
            for (const double x : HardArguments) {
                const int dificil = ocultas == 1 ? 1 : ocultas - 1;
                TRedNeuronal red;
                PrepareStartUpNetwork(red);
                red.SetNumeroEntradas(1);
                red.SetNeuronasCapaOculta(static_cast<TRangoNeuronas>(ocultas));
                red.SetFuncionTransferencia(ft);
                for (int j = 1; j <= ocultas; ++j) red.CapaOculta.Neuronas[j].Pesos[0] = j == dificil ? x : 0.25 * j;
                red.Propagar();
                const double ex = ExactExp(x), emx = ExactExp(-x);
                const double esperada = ft == ftSigmoide ? 1 / (1 + ex) : (emx - ex) / (emx + ex);
                EXPECT_EQ(red.CapaOculta.Neuronas[dificil].Salida(), esperada) << ocultas << " " << ft;
                for (int j = 1; j <= ocultas; ++j) {
                    const double salida = red.CapaOculta.Neuronas[j].Salida();
                    red.CapaOculta.Neuronas[j].CalcularSalida();
                    EXPECT_EQ(red.CapaOculta.Neuronas[j].Salida(), salida) << ocultas << " " << ft << " " << j;
                }
            }
}

TEST(RedNeuronal, OverflowInHiddenLayerLeavesLaterNeuronsAndOutputsAlone) {
    TRedNeuronal red;
    PrepareStartUpNetwork(red);
    red.SetNeuronasCapaOculta(3);
    red.SetNeuronasCapaSalida(2);
    red.Propagar();
    const double salida3 = red.CapaOculta.Neuronas[3].Salida();
    const double entrada3 = red.CapaOculta.Neuronas[3].Entradas[1];
    const double salida2 = red.CapaOculta.Neuronas[2].Salida();
    const NetworkValues obtenidas = red.SalidasObtenidas;
    const double entradaSalida = red.CapaSalida.Neuronas[1].Entradas[1];

    red.CapaOculta.Neuronas[2].Pesos[1] = 1;
    red.CapaOculta.Neuronas[2].Pesos[0] = 0;
    red.CapaOculta.Neuronas[2].Pesos[2] = 0;
    red.Entradas[1] = -800;  // sigmoid of -800 overflows; neurons 1 and 3 stay in range
    red.Entradas[2] = 0.125;
    red.CapaOculta.Neuronas[1].Pesos[1] = 0;
    red.CapaOculta.Neuronas[3].Pesos[1] = 0;
    try {
        red.Propagar();
        FAIL() << "no overflow";
    } catch (const ProgramError& e) {
        EXPECT_EQ(std::string(e.what()), "Floating point overflow");
    }
    EXPECT_EQ(red.CapaOculta.Neuronas[1].Entradas[1], -800.0);
    EXPECT_NE(red.CapaOculta.Neuronas[1].Salida(), 0.0);
    EXPECT_EQ(red.CapaOculta.Neuronas[2].Entradas[2], 0.125);  // got its inputs, not its output
    EXPECT_EQ(red.CapaOculta.Neuronas[2].Salida(), salida2);
    EXPECT_EQ(red.CapaOculta.Neuronas[3].Entradas[1], entrada3);
    EXPECT_EQ(red.CapaOculta.Neuronas[3].Salida(), salida3);
    EXPECT_EQ(red.CapaSalida.Neuronas[1].Entradas[1], entradaSalida);
    EXPECT_EQ(red.SalidasObtenidas, obtenidas);
}

TEST(RedNeuronal, OverflowInOutputLayerKeepsEarlierObtainedOutputs) {
    TRedNeuronal red;
    PrepareStartUpNetwork(red);
    red.SetNeuronasCapaSalida(3);
    red.SetFuncionTransferencia(ftIdentidad);
    PutWeights(red.CapaOculta, 2, 0);
    red.CapaOculta.Neuronas[1].Pesos[1] = 1e300;
    red.CapaOculta.Neuronas[2].Pesos[1] = 1e300;
    red.Entradas[1] = 1;
    red.Entradas[2] = 0;
    red.SalidasObtenidas[2] = 42;
    red.SalidasObtenidas[3] = 43;
    red.CapaSalida.Neuronas[1].Pesos[1] = 0;
    red.CapaSalida.Neuronas[1].Pesos[2] = 0;
    red.CapaSalida.Neuronas[1].Pesos[0] = 2;
    red.CapaSalida.Neuronas[2].Pesos[1] = 1e10;  // 1e310 is out of range
    EXPECT_THROW(red.Propagar(), ProgramError);
    EXPECT_EQ(red.SalidasObtenidas[1], -2.0);
    EXPECT_EQ(red.SalidasObtenidas[2], 42.0);
    EXPECT_EQ(red.SalidasObtenidas[3], 43.0);
    EXPECT_EQ(red.CapaSalida.Neuronas[2].Entradas[1], red.CapaOculta.Neuronas[1].Salida());
    EXPECT_NE(red.CapaSalida.Neuronas[3].Entradas[1], red.CapaOculta.Neuronas[1].Salida());
}

TEST(RedNeuronal, PassUsesTheNetworksCountsNotTheLayers) {
    TRedNeuronal red;  // constructed: the output layer still has 2 active neurons, the network 1
    red.SalidasObtenidas[2] = 7;
    red.Propagar();
    EXPECT_EQ(red.SalidasObtenidas[2], 7.0);
    EXPECT_EQ(red.SalidasObtenidas[1], red.CapaSalida.Neuronas[1].Salida());
}

TEST(RedNeuronal, CountsBeyondTheArraysAreRefusedBeforeAnythingChanges) {
    TRedNeuronal red;
    PrepareStartUpNetwork(red);
    const auto pesos = Pesos(red.CapaOculta.Neuronas[1]);
    EXPECT_THROW(red.SetNumeroEntradas(33), std::out_of_range);
    EXPECT_THROW(red.SetNumeroEntradas(-1), std::out_of_range);
    EXPECT_THROW(red.SetNeuronasCapaOculta(33), std::out_of_range);
    EXPECT_THROW(red.SetNeuronasCapaSalida(200), std::out_of_range);
    EXPECT_THROW(red.CapaOculta.Neuronas[1].SetNumeroEntradas(33), std::out_of_range);
    EXPECT_EQ(red.NumeroEntradas(), 2);
    EXPECT_EQ(red.NeuronasCapaOculta(), 2);
    EXPECT_EQ(red.NeuronasCapaSalida(), 1);
    EXPECT_EQ(Pesos(red.CapaOculta.Neuronas[1]), pesos);
    red.SetNeuronasCapaOculta(32);  // the limits themselves are fine
    red.SetNumeroEntradas(32);
    EXPECT_EQ(red.CapaSalida.Neuronas[1].NumeroEntradas(), 32);
}

TEST(RedNeuronal, NotANumberInputIsReportedNotStored) {
    TRedNeuronal red;
    PrepareStartUpNetwork(red);
    red.Propagar();
    const NetworkValues obtenidas = red.SalidasObtenidas;
    red.Entradas[1] = std::nan("");
    EXPECT_THROW(red.Propagar(), ProgramError);
    EXPECT_EQ(red.SalidasObtenidas, obtenidas);
    EXPECT_FALSE(std::isnan(red.CapaOculta.Neuronas[1].Salida()));
}
