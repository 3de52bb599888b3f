// SPDX-License-Identifier: GPL-3.0-or-later
// Every network in examples/ trains, from a fixed seed and in the cycles the
// README states, until no pattern's error reaches the error it states.

#include "iteration_error.h"
#include "network.h"
#include "network_files.h"
#include "random_generator.h"
#include "recording_views.h"
#include "rna_file.h"
#include "training_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

struct Example {
    const char* name;
    std::int32_t cycles;
    double error;  // percent, as the training tab measures an iteration
};

// The README's table.
constexpr Example kExamples[] = {
    {"and", 200000, 2},           {"or", 200000, 2},           {"xor", 100000, 1},
    {"paridad3", 300000, 1},      {"codificador424", 100000, 30}, {"seno", 100000, 10},
    {"circulo", 300000, 10},      {"siete_segmentos", 100000, 30}, {"iris", 300000, 15},
};

// The largest error over the patterns, each taken as a training iteration takes it.
double LargestPatternError(const WorkState& state, TRedNeuronal& network) {
    double largest = 0;
    for (std::int32_t p = 1; p <= state.NumeroPatrones; ++p) {
        for (std::int32_t i = 1; i <= network.NumeroEntradas(); ++i) network.Entradas[i] = state.EntradasPatrones[p][i];
        for (std::int32_t k = 1; k <= network.NeuronasCapaSalida(); ++k)
            network.SalidasEsperadas[k] = state.SalidasPatrones[p][k];
        network.Propagar();
        largest = std::max(largest, IterationError(network.SalidasEsperadas, network.SalidasObtenidas,
                                                   network.NeuronasCapaSalida()));
    }
    return largest;
}

class ExampleNetworks : public ::testing::TestWithParam<Example> {};

TEST_P(ExampleNetworks, TrainsBelowItsStatedErrorFromAFixedSeed) {
    const Example& example = GetParam();
    TRedNeuronal network;
    WorkState state;
    RandomGenerator::SetFixedSeed(1);
    ApplyDescription(ReadRna(std::string(PERCEPTLAB_EXAMPLES_DIR "/") + example.name + ".rna"), network, state);
    const double before = LargestPatternError(state, network);
    RecordingTrainingTab view;
    view.cycles = example.cycles;
    Train(state, network, view);
    RandomGenerator::SetFixedSeed(std::nullopt);
    const double after = LargestPatternError(state, network);
    std::printf("%s: %d cycles, largest pattern error %.3g %% (%.3g %% before)\n", example.name, example.cycles, after,
                before);
    EXPECT_GT(before, example.error);
    EXPECT_LT(after, example.error);
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleNetworks, ::testing::ValuesIn(kExamples),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
