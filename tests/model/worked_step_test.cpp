// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "exp.h"
#include "network.h"
#include "network_snapshot.h"
#include "program_error.h"
#include "worked_step.h"

namespace {

void Build(TRedNeuronal& network, int n, int H, int O, TFuncionTransferencia ft) {
    PrepareStartUpNetwork(network);
    network.SetFuncionTransferencia(ft);
    network.SetNumeroEntradas(n);
    network.SetNeuronasCapaOculta(static_cast<TRangoNeuronas>(H));
    network.SetNeuronasCapaSalida(static_cast<TRangoNeuronas>(O));
}

WorkedStep StepOf(const TRedNeuronal& network) {
    return ComputeWorkedStep(TakeSnapshot(network), std::span(network.Entradas).subspan(1),
                             std::span(network.SalidasEsperadas).subspan(1));
}

double Weight(const TRedNeuronal& network, const WeightChange& c) {
    const TCapaNeuronal& layer = c.layer == StepLayer::Hidden ? network.CapaOculta : network.CapaSalida;
    return layer.Neuronas[c.neuron].Pesos[static_cast<std::size_t>(c.index)];
}

}  // namespace

TEST(WorkedStep, IsBitIdenticalToPropagarAndEntrenarPatron) {
    std::mt19937 random(15);
    std::uniform_real_distribution<double> uniform(-2, 2);
    // Also layers of 5, 9, 13 and 30 neurons, which end part-way through a block of four.
    for (const auto [n, H, O] : {std::array{1, 1, 1}, {2, 2, 1}, {3, 4, 2}, {10, 32, 10}, {32, 32, 32}, {3, 5, 2},
                                 {7, 9, 5}, {4, 13, 30}})
        for (TFuncionTransferencia ft : {ftSigmoide, ftTangenteHiperbolica}) {
            const std::string where = std::to_string(n) + "-" + std::to_string(H) + "-" + std::to_string(O) +
                                      (ft == ftSigmoide ? " sigmoid" : " tangent");
            TRedNeuronal network;
            Build(network, n, H, O, ft);
            for (const auto& [layer, count, inputs] : {std::tuple{&network.CapaOculta, H, n}, {&network.CapaSalida, O, H}})
                for (int j = 1; j <= count; ++j)
                    for (std::size_t k = 0; k <= static_cast<std::size_t>(inputs); ++k)
                        layer->Neuronas[j].Pesos[k] = uniform(random);
            for (int pattern = 0; pattern < 3; ++pattern) {
                for (std::size_t k = 1; k <= 32; ++k) {
                    network.Entradas[k] = uniform(random);
                    network.SalidasEsperadas[k] = uniform(random) / 2;
                }
                const WorkedStep step = StepOf(network);
                ASSERT_EQ(step.weights.size(), static_cast<std::size_t>(O * (H + 1) + H * (n + 1))) << where;

                network.Propagar();
                for (int j = 1; j <= H; ++j)
                    ASSERT_EQ(step.hidden[j - 1].output, network.CapaOculta.Neuronas[j].Salida()) << where << " hidden " << j;
                for (int i = 1; i <= O; ++i)
                    ASSERT_EQ(step.output[i - 1].output, network.SalidasObtenidas[i]) << where << " output " << i;

                network.EntrenarPatron();
                for (const WeightChange& c : step.weights)
                    ASSERT_EQ(c.newWeight, Weight(network, c))
                        << where << (c.layer == StepLayer::Hidden ? " hidden " : " output ") << c.neuron << " weight "
                        << c.index;
            }
        }
}

// The hand-worked example of the step: one input 1, output weights (0, 1), expected 1.
TEST(WorkedStep, RecordsTheIntermediateValuesOfTheTaughtExample) {
    TRedNeuronal network;
    Build(network, 1, 1, 1, ftSigmoide);
    network.CapaOculta.Neuronas[1].Pesos[0] = network.CapaOculta.Neuronas[1].Pesos[1] = 0;
    network.CapaSalida.Neuronas[1].Pesos[0] = 0;
    network.CapaSalida.Neuronas[1].Pesos[1] = 1;
    network.Entradas[1] = network.SalidasEsperadas[1] = 1;
    const WorkedStep step = StepOf(network);

    EXPECT_EQ(step.hidden[0].sum, 0.0);
    EXPECT_EQ(step.hidden[0].expMinus, 1.0);
    EXPECT_EQ(step.hidden[0].output, 0.5);
    EXPECT_EQ(step.output[0].sum, 0.5);
    EXPECT_EQ(step.output[0].expMinus, Exp(-0.5));
    EXPECT_NEAR(step.outputDeltas[0].delta, 0.0887235, 5e-8);
    EXPECT_EQ(step.outputDeltas[0].error, 1 - step.output[0].output);
    // Σ δo·w takes the output weight of before the step, 1.
    EXPECT_EQ(step.hiddenDeltas[0].error, step.outputDeltas[0].delta);
    EXPECT_EQ(step.hiddenDeltas[0].derivative, 0.25);
    // Output weights first, the bias on input −1 first of all.
    const WeightChange& bias = step.weights.front();
    EXPECT_EQ(bias.layer, StepLayer::Output);
    EXPECT_EQ(bias.input, -1.0);
    EXPECT_EQ(bias.change, -(0.35 * step.outputDeltas[0].delta));
    EXPECT_NEAR(bias.newWeight, -0.0310532, 5e-8);
    EXPECT_EQ(step.weights[1].input, 0.5);
    EXPECT_NEAR(step.weights.back().newWeight, 0.0077633, 5e-8);
}

// Two neurons in each layer tell neuron-major order from index-major.
TEST(WorkedStep, ListsWeightsOutputsFirstNeuronByNeuronBiasFirst) {
    TRedNeuronal network;
    Build(network, 2, 2, 2, ftSigmoide);
    const WorkedStep step = StepOf(network);
    std::vector<std::tuple<StepLayer, int, int>> order;
    for (const WeightChange& c : step.weights) order.emplace_back(c.layer, c.neuron, c.index);
    std::vector<std::tuple<StepLayer, int, int>> expected;
    for (StepLayer layer : {StepLayer::Output, StepLayer::Hidden})
        for (int j = 1; j <= 2; ++j)
            for (int k = 0; k <= 2; ++k) expected.emplace_back(layer, j, k);
    EXPECT_EQ(order, expected);
}

TEST(WorkedStep, IdentityRecordsTheForwardPassAndNoStep) {
    TRedNeuronal network;
    Build(network, 2, 3, 2, ftIdentidad);
    network.Entradas[1] = 0.7;
    network.Entradas[2] = -3;
    const WorkedStep step = StepOf(network);
    network.EntrenarPatron();
    EXPECT_FALSE(step.learns);
    EXPECT_TRUE(step.outputDeltas.empty() && step.hiddenDeltas.empty() && step.weights.empty());
    EXPECT_EQ(step.hidden[2].output, step.hidden[2].sum);
    EXPECT_EQ(step.output[1].output, network.SalidasObtenidas[2]);
}

// In the forward pass, in the hidden deltas and in a new weight.
TEST(WorkedStep, OverflowsWhereEntrenarPatronDoes) {
    TRedNeuronal network;
    Build(network, 1, 1, 1, ftTangenteHiperbolica);
    network.Entradas[1] = network.SalidasEsperadas[1] = 1;
    const auto overflows = [&](double hiddenWeight, double outputBias, double outputWeight, const char* where) {
        network.CapaOculta.Neuronas[1].Pesos[0] = 0;
        network.CapaOculta.Neuronas[1].Pesos[1] = hiddenWeight;
        network.CapaSalida.Neuronas[1].Pesos[0] = outputBias;
        network.CapaSalida.Neuronas[1].Pesos[1] = outputWeight;
        try {
            StepOf(network);
            ADD_FAILURE() << where << ": no overflow";
        } catch (const ProgramError& e) {
            EXPECT_EQ(std::string(e.what()), "Floating point overflow") << where;
        }
        EXPECT_THROW(network.EntrenarPatron(), ProgramError) << where;
    };
    overflows(0, 800, 0, "e^800, tangent");
    network.SetFuncionTransferencia(ftSigmoide);
    overflows(0, 800, 0, "e^800");
    network.SalidasEsperadas[1] = 1e308;
    overflows(0, 5e9, 1e10, "δo = 2.5e307 times the weight 1e10");
    network.Entradas[1] = 1e10;
    overflows(1e-300, 0, 1e-3, "δh near 1e303 times the input 1e10");
}

// Successive steps with other rates and with momentum: each worked step
// starts from the changes the fast step kept, and ends where it ends.
class WorkedStepLearning : public ::testing::TestWithParam<LearningSettings> {};

TEST_P(WorkedStepLearning, IsBitIdenticalToEntrenarPatron) {
    const LearningSettings settings = GetParam();
    std::mt19937 random(31);
    std::uniform_real_distribution<double> uniform(-2, 2);
    for (const auto [n, H, O] : {std::array{1, 1, 1}, {2, 2, 1}, {3, 5, 2}, {7, 9, 5}, {32, 32, 32}})
        for (TFuncionTransferencia ft : {ftSigmoide, ftTangenteHiperbolica}) {
            const std::string where = std::to_string(n) + "-" + std::to_string(H) + "-" + std::to_string(O) +
                                      (ft == ftSigmoide ? " sigmoid" : " tangent");
            TRedNeuronal network;
            Build(network, n, H, O, ft);
            network.SetLearning(settings);
            std::vector<WeightChange> last;
            int momentumTerms = 0;
            for (int pattern = 0; pattern < 4; ++pattern) {
                for (std::size_t k = 1; k <= 32; ++k) {
                    network.Entradas[k] = uniform(random);
                    network.SalidasEsperadas[k] = uniform(random) / 2;
                }
                const WorkedStep step = StepOf(network);
                ASSERT_EQ(step.learningRate, settings.LearningRate) << where;
                ASSERT_EQ(step.momentum, settings.Momentum) << where;
                network.EntrenarPatron();
                for (std::size_t w = 0; w < step.weights.size(); ++w) {
                    const WeightChange& c = step.weights[w];
                    ASSERT_EQ(c.newWeight, Weight(network, c)) << where << " step " << pattern << " weight " << w;
                    // Δw′ is the change the previous step made; none before the first or without momentum.
                    const double previous = settings.Momentum != 0 && pattern > 0 ? last[w].change : 0.0;
                    ASSERT_EQ(c.previousChange, previous) << where << " step " << pattern << " weight " << w;
                    momentumTerms += c.momentumTerm != 0;
                }
                last = step.weights;
            }
            EXPECT_EQ(momentumTerms > 0, settings.Momentum != 0) << where;
        }
}

void PrintTo(const LearningSettings& s, std::ostream* out) { *out << "eta " << s.LearningRate << " alpha " << s.Momentum; }

INSTANTIATE_TEST_SUITE_P(Settings, WorkedStepLearning,
                         ::testing::Values(LearningSettings{0.1, 0}, LearningSettings{2, 0},
                                           LearningSettings{0.35, 0.9}, LearningSettings{0.1, 0.5},
                                           LearningSettings{7.5, 0.3}));
