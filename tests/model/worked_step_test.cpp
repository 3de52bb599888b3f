#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "exponencial.h"
#include "network_snapshot.h"
#include "program_error.h"
#include "red_neuronal.h"
#include "worked_step.h"

namespace {

struct Shape {
    int n, H, O;
};

void Build(TRedNeuronal& red, const Shape& f, TFuncionTransferencia ft) {
    PrepararRedInicial(red);
    red.SetFuncionTransferencia(ft);
    red.SetNumeroEntradas(f.n);
    red.SetNeuronasCapaOculta(static_cast<TRangoNeuronas>(f.H));
    red.SetNeuronasCapaSalida(static_cast<TRangoNeuronas>(f.O));
}

WorkedStep StepOf(const TRedNeuronal& red) {
    return ComputeWorkedStep(TakeSnapshot(red), std::span(red.Entradas).subspan(1),
                             std::span(red.SalidasEsperadas).subspan(1));
}

const WeightChange& Find(const WorkedStep& step, StepLayer layer, int neuron, int index) {
    for (const WeightChange& c : step.weights)
        if (c.layer == layer && c.neuron == neuron && c.index == index) return c;
    throw std::logic_error("no such weight");
}

}  // namespace

TEST(WorkedStep, IsBitIdenticalToPropagarAndEntrenarPatron) {
    std::mt19937 random(15);
    std::uniform_real_distribution<double> uniform(-2, 2);
    for (const Shape f : {Shape{1, 1, 1}, Shape{2, 2, 1}, Shape{3, 4, 2}, Shape{10, 32, 10}, Shape{32, 32, 32}})
        for (TFuncionTransferencia ft : {ftSigmoide, ftTangenteHiperbolica}) {
            const std::string where = std::to_string(f.n) + "-" + std::to_string(f.H) + "-" +
                                      std::to_string(f.O) + (ft == ftSigmoide ? " sigmoid" : " tangent");
            TRedNeuronal red;
            Build(red, f, ft);
            for (int j = 1; j <= f.H; ++j)
                for (std::size_t k = 0; k <= static_cast<std::size_t>(f.n); ++k)
                    red.CapaOculta.Neuronas[j].Pesos[k] = uniform(random);
            for (int i = 1; i <= f.O; ++i)
                for (std::size_t k = 0; k <= static_cast<std::size_t>(f.H); ++k)
                    red.CapaSalida.Neuronas[i].Pesos[k] = uniform(random);
            for (int pattern = 0; pattern < 3; ++pattern) {
                for (std::size_t k = 1; k <= 32; ++k) {
                    red.Entradas[k] = uniform(random);
                    red.SalidasEsperadas[k] = uniform(random) / 2;
                }
                const WorkedStep step = StepOf(red);
                ASSERT_TRUE(step.learns);
                ASSERT_EQ(step.weights.size(), static_cast<std::size_t>(f.O * (f.H + 1) + f.H * (f.n + 1)));

                red.Propagar();
                for (int j = 1; j <= f.H; ++j)
                    ASSERT_EQ(step.hidden[static_cast<std::size_t>(j - 1)].output, red.CapaOculta.Neuronas[j].Salida())
                        << where << " hidden " << j;
                for (int i = 1; i <= f.O; ++i)
                    ASSERT_EQ(step.output[static_cast<std::size_t>(i - 1)].output, red.SalidasObtenidas[static_cast<std::size_t>(i)])
                        << where << " output " << i;

                red.EntrenarPatron();
                for (const WeightChange& c : step.weights) {
                    const TCapaNeuronal& capa = c.layer == StepLayer::Hidden ? red.CapaOculta : red.CapaSalida;
                    ASSERT_EQ(c.newWeight, capa.Neuronas[c.neuron].Pesos[static_cast<std::size_t>(c.index)])
                        << where << (c.layer == StepLayer::Hidden ? " hidden " : " output ") << c.neuron
                        << " weight " << c.index;
                }
            }
        }
}

// The hand-worked example of the step: one input 1, output weights (0, 1), expected 1.
TEST(WorkedStep, RecordsEachIntermediateValueOfTheTaughtExample) {
    TRedNeuronal red;
    Build(red, {1, 1, 1}, ftSigmoide);
    for (std::size_t k = 0; k <= 1; ++k) red.CapaOculta.Neuronas[1].Pesos[k] = 0;
    red.CapaSalida.Neuronas[1].Pesos[0] = 0;
    red.CapaSalida.Neuronas[1].Pesos[1] = 1;
    red.Entradas[1] = 1;
    red.SalidasEsperadas[1] = 1;
    const WorkedStep step = StepOf(red);

    EXPECT_EQ(step.hidden[0].sum, 0.0);
    EXPECT_EQ(step.hidden[0].expMinus, 1.0);
    EXPECT_EQ(step.hidden[0].output, 0.5);
    EXPECT_EQ(step.output[0].sum, 0.5);
    EXPECT_EQ(step.output[0].expMinus, Exponencial(-0.5));
    const double o = step.output[0].output;
    EXPECT_NEAR(o, 0.6224593, 5e-8);
    EXPECT_EQ(step.outputDeltas[0].derivative, (1 - o) * o);
    EXPECT_EQ(step.outputDeltas[0].error, 1 - o);
    EXPECT_NEAR(step.outputDeltas[0].delta, 0.0887235, 5e-8);
    // Σ δo·w takes the output weight 1 of before the step, not the new 1.0155266.
    EXPECT_EQ(step.hiddenDeltas[0].error, step.outputDeltas[0].delta);
    EXPECT_EQ(step.hiddenDeltas[0].derivative, 0.25);
    EXPECT_NEAR(step.hiddenDeltas[0].delta, 0.0221809, 5e-8);

    const WeightChange& bias = Find(step, StepLayer::Output, 1, 0);
    EXPECT_EQ(bias.input, -1.0);
    EXPECT_EQ(bias.rateTimesDelta, 0.35 * step.outputDeltas[0].delta);
    EXPECT_EQ(bias.change, -bias.rateTimesDelta);
    EXPECT_NEAR(bias.newWeight, -0.0310532, 5e-8);
    const WeightChange& onHidden = Find(step, StepLayer::Output, 1, 1);
    EXPECT_EQ(onHidden.oldWeight, 1.0);
    EXPECT_EQ(onHidden.input, 0.5);
    EXPECT_NEAR(onHidden.newWeight, 1.0155266, 5e-8);
    EXPECT_NEAR(Find(step, StepLayer::Hidden, 1, 1).newWeight, 0.0077633, 5e-8);
    // Output weights first, as the step changes them.
    EXPECT_EQ(step.weights.front().layer, StepLayer::Output);
    EXPECT_EQ(step.weights.back().layer, StepLayer::Hidden);
}

TEST(WorkedStep, IdentityRecordsTheForwardPassAndNoStep) {
    TRedNeuronal red;
    Build(red, {2, 3, 2}, ftIdentidad);
    red.Entradas[1] = 0.7;
    red.Entradas[2] = -3;
    red.SalidasEsperadas[1] = 5;
    const WorkedStep step = StepOf(red);
    red.EntrenarPatron();
    EXPECT_FALSE(step.learns);
    EXPECT_TRUE(step.outputDeltas.empty() && step.hiddenDeltas.empty() && step.weights.empty());
    for (std::size_t j = 0; j < 3; ++j) EXPECT_EQ(step.hidden[j].output, step.hidden[j].sum);
    EXPECT_EQ(step.output[0].output, red.SalidasObtenidas[1]);
    EXPECT_EQ(step.output[1].output, red.SalidasObtenidas[2]);
}

TEST(WorkedStep, OverflowsWhereEntrenarPatronDoes) {
    const auto expectOverflow = [](const TRedNeuronal& red, const char* what) {
        try {
            StepOf(red);
            ADD_FAILURE() << what << ": no overflow";
        } catch (const ProgramError& e) {
            EXPECT_EQ(std::string(e.what()), "Floating point overflow") << what;
        }
    };
    TRedNeuronal red;
    Build(red, {1, 1, 1}, ftSigmoide);
    for (std::size_t k = 0; k <= 1; ++k) red.CapaOculta.Neuronas[1].Pesos[k] = 0;
    red.Entradas[1] = 1;
    red.SalidasEsperadas[1] = 1;
    red.CapaSalida.Neuronas[1].Pesos[0] = 800;  // e^800
    red.CapaSalida.Neuronas[1].Pesos[1] = 0;
    expectOverflow(red, "forward");
    red.SetFuncionTransferencia(ftTangenteHiperbolica);
    expectOverflow(red, "forward, tangent");
    red.SetFuncionTransferencia(ftSigmoide);
    red.SalidasEsperadas[1] = 1e308;
    red.CapaSalida.Neuronas[1].Pesos[0] = 5e9;
    red.CapaSalida.Neuronas[1].Pesos[1] = 1e10;  // δo = 2.5e307 times 1e10
    expectOverflow(red, "hidden delta");
    EXPECT_THROW(red.EntrenarPatron(), ProgramError);
    red.CapaOculta.Neuronas[1].Pesos[1] = 1e-300;
    red.CapaSalida.Neuronas[1].Pesos[0] = 0;
    red.CapaSalida.Neuronas[1].Pesos[1] = 1e-3;  // δh near 1e303
    red.Entradas[1] = 1e10;
    expectOverflow(red, "hidden weight");
    EXPECT_THROW(red.EntrenarPatron(), ProgramError);
}
