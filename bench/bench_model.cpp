// SPDX-License-Identifier: GPL-3.0-or-later
// Time per training step and per forward pass of our network against FANN's
// double build doing the same work: same shape, sigmoid in both layers,
// learning rate 0.35 without momentum, one pattern per step, the patterns
// drawn at random by the program's own generator in one fixed sequence. Our
// step with another learning rate, and with momentum, against our own
// default step. Then the decision map's planes of a 4-input network
// against the same 40 000 points through Propagar.

#include <doublefann.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "exp.h"
#include "network.h"
#include "network_snapshot.h"
#include "output_map.h"
#include "random_generator.h"
#include "ratio_report.h"

namespace {

struct Shape {
    int inputs, hidden, outputs;
    std::string Name() const {
        return std::to_string(inputs) + "-" + std::to_string(hidden) + "-" + std::to_string(outputs);
    }
};

struct Patterns {
    std::vector<std::vector<double>> inputs, outputs;
    std::vector<int> sequence;  // pattern of each step, as the training run draws them
};

constexpr std::size_t Steps = 4096;

Patterns Make(const Shape& shape) {
    Patterns p;
    if (shape.inputs == 2 && shape.outputs == 1) {
        p.inputs = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};
        p.outputs = {{0}, {1}, {1}, {0}};
    } else {
        std::mt19937 random(7);
        std::uniform_real_distribution<double> uniform(0, 1);
        for (int n = 0; n < 8; ++n) {
            p.inputs.emplace_back(static_cast<std::size_t>(shape.inputs));
            p.outputs.emplace_back(static_cast<std::size_t>(shape.outputs));
            for (double& x : p.inputs.back()) x = uniform(random);
            for (double& x : p.outputs.back()) x = uniform(random);
        }
    }
    RandomGenerator::SetState(12345);
    for (std::size_t t = 0; t < Steps; ++t)
        p.sequence.push_back(static_cast<int>(RandomGenerator::Draw() * static_cast<double>(p.inputs.size())));
    return p;
}

std::unique_ptr<TRedNeuronal> OurNetwork(const Shape& shape, const LearningSettings& learning = {}) {
    auto network = std::make_unique<TRedNeuronal>();
    PrepareStartUpNetwork(*network);
    network->SetNeuronasCapaOculta(static_cast<TRangoNeuronas>(shape.hidden));
    network->SetNeuronasCapaSalida(static_cast<TRangoNeuronas>(shape.outputs));
    network->SetNumeroEntradas(shape.inputs);
    network->SetFuncionTransferencia(ftSigmoide);
    network->InicializarPesos();
    network->SetLearning(learning);
    return network;
}

struct fann* FannNetwork(const Shape& shape) {
    struct fann* ann = fann_create_standard(3, shape.inputs, shape.hidden, shape.outputs);
    fann_set_training_algorithm(ann, FANN_TRAIN_INCREMENTAL);
    fann_set_learning_rate(ann, 0.35f);
    fann_set_learning_momentum(ann, 0);
    fann_set_activation_function_hidden(ann, FANN_SIGMOID);
    fann_set_activation_function_output(ann, FANN_SIGMOID);
    return ann;
}

void Load(TRedNeuronal& network, const Patterns& p, std::size_t n) {
    std::copy(p.inputs[n].begin(), p.inputs[n].end(), network.Entradas.begin() + 1);
    std::copy(p.outputs[n].begin(), p.outputs[n].end(), network.SalidasEsperadas.begin() + 1);
}

void EntrenarPatron(benchmark::State& state, Shape shape, LearningSettings learning) {
    const Patterns p = Make(shape);
    auto network = OurNetwork(shape, learning);
    std::size_t t = 0;
    for (auto _ : state) {
        Load(*network, p, static_cast<std::size_t>(p.sequence[t++ % Steps]));
        network->EntrenarPatron();
        benchmark::DoNotOptimize(network->SalidasObtenidas[1]);
    }
}

void FannTrain(benchmark::State& state, Shape shape) {
    const Patterns p = Make(shape);
    struct fann* ann = FannNetwork(shape);
    std::size_t t = 0;
    for (auto _ : state) {
        const auto n = static_cast<std::size_t>(p.sequence[t++ % Steps]);
        fann_train(ann, const_cast<fann_type*>(p.inputs[n].data()), const_cast<fann_type*>(p.outputs[n].data()));
    }
    fann_destroy(ann);
}

void Propagar(benchmark::State& state, Shape shape) {
    const Patterns p = Make(shape);
    auto network = OurNetwork(shape);
    std::size_t t = 0;
    for (auto _ : state) {
        Load(*network, p, static_cast<std::size_t>(p.sequence[t++ % Steps]));
        network->Propagar();
        benchmark::DoNotOptimize(network->SalidasObtenidas[1]);
    }
}

void FannRun(benchmark::State& state, Shape shape) {
    const Patterns p = Make(shape);
    struct fann* ann = FannNetwork(shape);
    std::size_t t = 0;
    for (auto _ : state) {
        const auto n = static_cast<std::size_t>(p.sequence[t++ % Steps]);
        benchmark::DoNotOptimize(fann_run(ann, const_cast<fann_type*>(p.inputs[n].data())));
    }
    fann_destroy(ann);
}

double LibraryExp(double x) { return std::exp(x); }

// The floor for 2-2-1: the same step written out by hand for this one shape,
// every value in a register. Each step needs the weights the previous one
// wrote, so its time is the chain of dependent operations (two sigmoids,
// each an exponential and a division, between a weight and its next change);
// no implementation of this exact arithmetic is faster. Also with the C
// library's exp, which is not always correctly rounded, for comparison.
template <double (*F)(double)>
void MinimalChain(benchmark::State& state) {
    const Patterns p = Make({2, 2, 1});
    double wh[2][3] = {{0.1, 0.2, -0.3}, {-0.2, 0.4, 0.1}}, wo[3] = {0.05, 0.3, -0.2};
    const auto sigmoid = [](double s) { return 1.0 / (1.0 + F(-s)); };
    std::size_t t = 0;
    for (auto _ : state) {
        const auto n = static_cast<std::size_t>(p.sequence[t++ % Steps]);
        const double* x = p.inputs[n].data();
        const double d = p.outputs[n][0];
        double y[2], hiddenDelta[2];
        for (int j = 0; j < 2; ++j) y[j] = sigmoid(((0.0 + -1.0 * wh[j][0]) + x[0] * wh[j][1]) + x[1] * wh[j][2]);
        const double o = sigmoid(((0.0 + -1.0 * wo[0]) + y[0] * wo[1]) + y[1] * wo[2]);
        const double outputDelta = (1 - o) * o * (d - o);
        for (int j = 0; j < 2; ++j) hiddenDelta[j] = (1 - y[j]) * y[j] * (0.0 + outputDelta * wo[j + 1]);
        const double step = 0.35 * outputDelta;
        wo[0] = wo[0] + step * -1.0;
        wo[1] = wo[1] + step * y[0];
        wo[2] = wo[2] + step * y[1];
        for (int j = 0; j < 2; ++j) {
            const double hiddenStep = 0.35 * hiddenDelta[j];
            wh[j][0] = wh[j][0] - hiddenStep;
            wh[j][1] = wh[j][1] + hiddenStep * x[0];
            wh[j][2] = wh[j][2] + hiddenStep * x[1];
        }
        benchmark::DoNotOptimize(o);
    }
}

// The exponential alone, ours against the C library's: a chain of sigmoids,
// each waiting for the last (what a small network's step does), and
// independent arguments (what a wide layer does).
template <double (*F)(double)>
void SigmoidChain(benchmark::State& state) {
    double v = 0.25;
    for (auto _ : state) {
        v = 1.0 / (1.0 + F(-v));
        benchmark::DoNotOptimize(v);
    }
}

template <double (*F)(double)>
void IndependentArguments(benchmark::State& state) {
    std::mt19937_64 random(3);
    std::uniform_real_distribution<double> uniform(-40, 40);
    std::vector<double> x(1024);
    for (double& v : x) v = uniform(random);
    for (auto _ : state) {
        double sum = 0;
        for (const double v : x) sum += F(v);
        benchmark::DoNotOptimize(sum);
    }
}

// The map's plane: 200 × 200 cells over inputs 1 and 2 (the hardest pair:
// no term of a sum comes before them), inputs 3 and 4 held.
constexpr int kCells = 200;
constexpr AxisRange kAxis{-0.1, 1.1};
const MapPlane kPlane{1, 2, {0.0, 0.0, 0.3, 0.7}};

void MapOfOutput(benchmark::State& state, Shape shape) {
    auto network = OurNetwork(shape);
    std::vector<double> values;
    for (auto _ : state) {
        NeuronGrid(TakeSnapshot(*network), {false, 1}, kPlane, kAxis, kAxis, kCells, kCells, values);
        benchmark::DoNotOptimize(values.data());
    }
}

void MapOfClasses(benchmark::State& state, Shape shape) {
    auto network = OurNetwork(shape);
    std::vector<std::uint8_t> classes;
    for (auto _ : state) {
        ClassGrid(TakeSnapshot(*network), kPlane, kAxis, kAxis, kCells, kCells, classes);
        benchmark::DoNotOptimize(classes.data());
    }
}

// The same points as the map's cells, each through the network itself.
void PropagarOverPlane(benchmark::State& state, Shape shape) {
    auto network = OurNetwork(shape);
    const double step = (kAxis.high - kAxis.low) / kCells;
    for (auto _ : state) {
        for (int i = 3; i <= shape.inputs; ++i) network->Entradas[i] = kPlane.held[static_cast<std::size_t>(i - 1)];
        for (int row = 0; row < kCells; ++row) {
            network->Entradas[2] = kAxis.high - (row + 0.5) * step;
            for (int column = 0; column < kCells; ++column) {
                network->Entradas[1] = kAxis.low + (column + 0.5) * step;
                network->Propagar();
                benchmark::DoNotOptimize(network->SalidasObtenidas[1]);
            }
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<BenchRatio> ratios;
    for (const Shape shape : {Shape{2, 2, 1}, Shape{32, 32, 32}}) {
        const std::string n = shape.Name();
        benchmark::RegisterBenchmark(("EntrenarPatron " + n).c_str(), EntrenarPatron, shape, LearningSettings{});
        benchmark::RegisterBenchmark(("fann_train " + n).c_str(), FannTrain, shape);
        benchmark::RegisterBenchmark(("Propagar " + n).c_str(), Propagar, shape);
        benchmark::RegisterBenchmark(("fann_run " + n).c_str(), FannRun, shape);
        ratios.push_back({"EntrenarPatron/fann_train " + n, "EntrenarPatron " + n, "fann_train " + n});
        ratios.push_back({"Propagar/fann_run " + n, "Propagar " + n, "fann_run " + n});
    }
    benchmark::RegisterBenchmark("EntrenarPatron eta 0.1 2-2-1", EntrenarPatron, Shape{2, 2, 1}, LearningSettings{0.1, 0});
    benchmark::RegisterBenchmark("EntrenarPatron momentum 0.9 2-2-1", EntrenarPatron, Shape{2, 2, 1},
                                 LearningSettings{0.35, 0.9});
    ratios.push_back({"EntrenarPatron eta 0.1/EntrenarPatron 2-2-1", "EntrenarPatron eta 0.1 2-2-1", "EntrenarPatron 2-2-1"});
    ratios.push_back({"EntrenarPatron momentum 0.9/EntrenarPatron 2-2-1", "EntrenarPatron momentum 0.9 2-2-1",
                      "EntrenarPatron 2-2-1"});
    benchmark::RegisterBenchmark("CadenaMinima 2-2-1", MinimalChain<Exp>);
    benchmark::RegisterBenchmark("CadenaMinima exp 2-2-1", MinimalChain<LibraryExp>);
    ratios.push_back({"CadenaMinima/fann_train 2-2-1", "CadenaMinima 2-2-1", "fann_train 2-2-1"});
    ratios.push_back({"CadenaMinima exp/fann_train 2-2-1", "CadenaMinima exp 2-2-1", "fann_train 2-2-1"});
    ratios.push_back({"EntrenarPatron/CadenaMinima 2-2-1", "EntrenarPatron 2-2-1", "CadenaMinima 2-2-1"});
    benchmark::RegisterBenchmark("sigmoides Exponencial", SigmoidChain<Exp>);
    benchmark::RegisterBenchmark("sigmoides exp", SigmoidChain<LibraryExp>);
    benchmark::RegisterBenchmark("1024 Exponencial", IndependentArguments<Exp>);
    benchmark::RegisterBenchmark("1024 exp", IndependentArguments<LibraryExp>);
    ratios.push_back({"Exponencial/exp chain", "sigmoides Exponencial", "sigmoides exp"});
    ratios.push_back({"Exponencial/exp throughput", "1024 Exponencial", "1024 exp"});
    const Shape wide{4, 32, 1}, classes{4, 8, 3};
    benchmark::RegisterBenchmark("mapa 4-32-1", MapOfOutput, wide)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Propagar x 40000 4-32-1", PropagarOverPlane, wide)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("mapa clases 4-8-3", MapOfClasses, classes)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Propagar x 40000 4-8-3", PropagarOverPlane, classes)->Unit(benchmark::kMillisecond);
    ratios.push_back({"mapa 4 entradas 200x200/Propagar x 40000", "mapa 4-32-1", "Propagar x 40000 4-32-1"});
    ratios.push_back({"mapa clases 4-8-3 200x200/Propagar x 40000", "mapa clases 4-8-3", "Propagar x 40000 4-8-3"});
    return RunBenchmarksAndPrintRatios(argc, argv, ratios);
}
