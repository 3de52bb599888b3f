// SPDX-License-Identifier: GPL-3.0-or-later
// Every network in examples/ trains, from a fixed seed and in the cycles the
// README states, until no pattern's error reaches the error it states; where
// it has test patterns, their error falls to its lowest at the iteration the
// README states and is higher at the end. The blocks of the examples read as
// the README describes them.

#include "iteration_error.h"
#include "network.h"
#include "network_files.h"
#include "network_snapshot.h"
#include "random_generator.h"
#include "recording_views.h"
#include "rna_file.h"
#include "set_error.h"
#include "test_split.h"
#include "training_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

namespace {

struct Example {
    const char* name;
    std::int32_t cycles;
    double error;  // percent, as the training tab measures an iteration
    // With test patterns: the iteration after which their mean squared
    // error is lowest; 0 without test patterns.
    std::int64_t bestTestIteration = 0;
};

// The README's table.
constexpr Example kExamples[] = {
    {"and", 200000, 2},           {"or", 200000, 2},           {"xor", 100000, 1},
    {"paridad3", 300000, 1},      {"codificador424", 100000, 30}, {"seno", 100000, 10},
    {"circulo", 300000, 10},      {"siete_segmentos", 100000, 30}, {"iris", 300000, 30, 281900},
    {"sobreajuste", 20000, 1000, 3030},
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
    const LoadResult load =
        ApplyDescription(ReadRna(std::string(PERCEPTLAB_EXAMPLES_DIR "/") + example.name + ".rna"), network, state);
    network.SetLearning(load.Learning.value());
    const double before = LargestPatternError(state, network);
    RecordingTrainingTab view;
    view.cycles = example.cycles;
    // Watches the test error without ever stopping the run.
    view.earlyStopEpochs = std::numeric_limits<std::int32_t>::max();
    const TrainingOutcome outcome = Train(state, network, view);
    RandomGenerator::SetFixedSeed(std::nullopt);
    const double after = LargestPatternError(state, network);
    std::printf("%s: %d cycles, largest pattern error %.3g %% (%.3g %% before)\n", example.name, example.cycles, after,
                before);
    EXPECT_GT(before, example.error);
    EXPECT_LT(after, example.error);
    EXPECT_FALSE(outcome.stoppedEarly);
    EXPECT_EQ(outcome.bestIteration, example.bestTestIteration);
    if (state.TestPatternCount > 0) {
        const double finalTest = SetErrors().MeanSquaredError(TakeSnapshot(network), TestPatterns(state));
        std::printf("%s: lowest test error %.6g after iteration %lld, %.6g at the end\n", example.name,
                    outcome.bestTestError, static_cast<long long>(outcome.bestIteration), finalTest);
        EXPECT_GT(finalTest, outcome.bestTestError);
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleNetworks, ::testing::ValuesIn(kExamples),
                         [](const auto& info) { return std::string(info.param.name); });

struct ExampleBlocks {
    const char* name;
    std::vector<std::int32_t> trainingClasses, testClasses;  // patterns per class, by PatternClass
    LearningSettings learning;
    std::vector<std::string> inputNames, outputNames;
};

// What the README says the examples with optional blocks hold.
const ExampleBlocks kExampleBlocks[] = {
    {"iris",
     {33, 33, 34},
     {17, 17, 16},
     {},
     {"Largo del sépalo (cm)", "Ancho del sépalo (cm)", "Largo del pétalo (cm)", "Ancho del pétalo (cm)"},
     {"setosa", "versicolor", "virginica"}},
    {"sobreajuste", {10}, {100}, {0.1, 0}, {}, {}},
};

std::vector<std::int32_t> ClassCounts(const PatternTable& expected, std::int32_t patterns, std::int32_t outputs) {
    std::vector<std::int32_t> counts(static_cast<std::size_t>(outputs));
    for (std::int32_t p = 1; p <= patterns; ++p) ++counts[static_cast<std::size_t>(PatternClass(expected, p, outputs) - 1)];
    return counts;
}

class ExampleFileBlocks : public ::testing::TestWithParam<ExampleBlocks> {};

TEST_P(ExampleFileBlocks, ReadWithoutANoteAndSplitAsStated) {
    const ExampleBlocks& example = GetParam();
    const NetworkDescription description = ReadRna(std::string(PERCEPTLAB_EXAMPLES_DIR "/") + example.name + ".rna");
    EXPECT_EQ(description.Warning, "");
    TRedNeuronal network;
    WorkState state;
    const LoadResult load = ApplyDescription(description, network, state);
    const std::int32_t outputs = network.NeuronasCapaSalida();
    EXPECT_EQ(ClassCounts(state.SalidasPatrones, state.NumeroPatrones, outputs), example.trainingClasses);
    EXPECT_EQ(ClassCounts(state.TestOutputs, state.TestPatternCount, outputs), example.testClasses);
    EXPECT_EQ(load.Learning, example.learning);
    EXPECT_EQ(state.InputNames, example.inputNames);
    EXPECT_EQ(state.OutputNames, example.outputNames);
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleFileBlocks, ::testing::ValuesIn(kExampleBlocks),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
