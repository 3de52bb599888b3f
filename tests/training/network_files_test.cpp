// SPDX-License-Identifier: GPL-3.0-or-later
#include "network_files.h"

#include "file_access.h"
#include "file_test_helpers.h"
#include "line_splitter.h"
#include "random_generator.h"
#include "real_text.h"
#include "ren_file.h"
#include "rna_file.h"
#include "work_state.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

Lines Joined(Lines first, const Lines& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// Everything of the network a load may touch, to compare before and after.
struct NetworkSnapshotForTest {
    int inputs, hidden, outputs;
    TFuncionTransferencia function;
    std::vector<double> weights;
    bool operator==(const NetworkSnapshotForTest&) const = default;
};

NetworkSnapshotForTest Snapshot(const TRedNeuronal& network) {
    NetworkSnapshotForTest snapshot{network.NumeroEntradas(), network.NeuronasCapaOculta(), network.NeuronasCapaSalida(), network.FuncionTransferencia(), {}};
    for (const TCapaNeuronal* layer : {&network.CapaOculta, &network.CapaSalida}) {
        for (int j = 1; j <= 32; ++j) {
            for (int k = 0; k <= 32; ++k) snapshot.weights.push_back(layer->Neuronas[j].Pesos[k]);
        }
    }
    return snapshot;
}

bool SameState(const WorkState& a, const WorkState& b) {
    return a.RedCreada == b.RedCreada && a.NumeroPatrones == b.NumeroPatrones && a.NombreRed == b.NombreRed &&
           a.EntradasPatrones == b.EntradasPatrones && a.SalidasPatrones == b.SalidasPatrones &&
           a.PararEntrenamiento == b.PararEntrenamiento;
}

// Values of every kind: any finite double, small fractions, whole numbers.
double AnyValue(std::mt19937_64& random) {
    switch (random() % 3) {
    case 0: {
        double v = std::bit_cast<double>(random());
        return std::isfinite(v) ? v : 0.0;
    }
    case 1:
        return std::uniform_real_distribution<double>(-1, 1)(random);
    default:
        return static_cast<double>(static_cast<int>(random() % 2001) - 1000);
    }
}

class NetworkLoading : public ::testing::Test {
protected:
    TemporaryFolder folder;
    TRedNeuronal network;
    WorkState state;

    NetworkLoading() {
        PrepareStartUpNetwork(network);
        state.NombreRed = "NuevaNeurona";
        state.NumeroPatrones = 5;
        for (int p = 1; p <= 100; ++p) {
            for (int i = 1; i <= 32; ++i) {
                state.EntradasPatrones[p][i] = p + i / 100.0;
                state.SalidasPatrones[p][i] = -p - i / 100.0;
            }
        }
    }
};

TEST_F(NetworkLoading, RoundTripKeepsEveryRenderingUnderBothSeparators) {
    std::mt19937_64 random(42);
    for (int trial = 0; trial < 12; ++trial) {
        const char separator = trial % 2 ? ',' : '.';
        TRedNeuronal source;
        Topology(source, 1 + static_cast<int>(random() % 32), 1 + static_cast<int>(random() % 32),
                  1 + static_cast<int>(random() % 32));
        for (TCapaNeuronal* layer : {&source.CapaOculta, &source.CapaSalida}) {
            for (int j = 1; j <= layer->NumeroNeuronas(); ++j) {
                for (int k = 0; k <= layer->NumeroEntradas(); ++k) layer->Neuronas[j].Pesos[k] = AnyValue(random);
            }
        }
        WorkState table;
        table.NumeroPatrones = trial == 0 ? 100 : static_cast<int>(random() % 101);
        for (int p = 1; p <= table.NumeroPatrones; ++p) {
            for (int i = 1; i <= 32; ++i) {
                table.EntradasPatrones[p][i] = AnyValue(random);
                table.SalidasPatrones[p][i] = AnyValue(random);
            }
        }
        const std::string ren = folder.Path("red.ren");
        SaveLines(folder.Path("red.rna"), RnaLines(source, PatternsToSave(table, source), 0, 1, separator));
        SaveLines(ren, RenLines(source, 0, 1, separator));

        TRedNeuronal target;
        WorkState loaded;
        LoadResult result = ApplyDescription(ReadRen(ren), target, loaded);
        ASSERT_TRUE(result.PatternsTaken) << result.Warning;
        EXPECT_EQ(target.NumeroEntradas(), source.NumeroEntradas());
        EXPECT_EQ(target.NeuronasCapaOculta(), source.NeuronasCapaOculta());
        EXPECT_EQ(target.NeuronasCapaSalida(), source.NeuronasCapaSalida());
        EXPECT_EQ(target.FuncionTransferencia(), ftTangenteHiperbolica);
        for (auto [a, b] : {std::pair{&source.CapaOculta, &target.CapaOculta}, std::pair{&source.CapaSalida, &target.CapaSalida}}) {
            for (int j = 1; j <= a->NumeroNeuronas(); ++j) {
                for (int k = 0; k <= a->NumeroEntradas(); ++k) {
                    ASSERT_EQ(RealText(b->Neuronas[j].Pesos[k], '.'), RealText(a->Neuronas[j].Pesos[k], '.'));
                }
            }
        }
        ASSERT_EQ(loaded.NumeroPatrones, table.NumeroPatrones);
        for (int p = 1; p <= table.NumeroPatrones; ++p) {
            for (int i = 1; i <= source.NumeroEntradas(); ++i) {
                ASSERT_EQ(RealText(loaded.EntradasPatrones[p][i], '.'), RealText(table.EntradasPatrones[p][i], '.'));
            }
            for (int k = 1; k <= source.NeuronasCapaSalida(); ++k) {
                ASSERT_EQ(RealText(loaded.SalidasPatrones[p][k], '.'), RealText(table.SalidasPatrones[p][k], '.'));
            }
        }
    }
}

TEST_F(NetworkLoading, SavedUnderOneSeparatorLoadsAndSavesUnderTheOtherToTheSameDoubles) {
    // Each of these is its own 15-digit text, the largest double included.
    constexpr double largest = std::numeric_limits<double>::max();
    constexpr double smallest = std::numeric_limits<double>::denorm_min();
    Topology(network, 1, 1, 1);
    network.CapaOculta.Neuronas[1].Pesos[0] = largest;
    network.CapaOculta.Neuronas[1].Pesos[1] = -smallest;
    network.CapaSalida.Neuronas[1].Pesos[0] = -2.5e-7;
    network.CapaSalida.Neuronas[1].Pesos[1] = 1e20;
    state.NumeroPatrones = 1;
    state.EntradasPatrones[1][1] = -largest;
    state.SalidasPatrones[1][1] = smallest;
    const NetworkSnapshotForTest original = Snapshot(network);
    const std::string ren = folder.Path("red.ren");
    for (char separator : {',', '.', ','}) {
        SaveLines(folder.Path("red.rna"), RnaLines(network, PatternsToSave(state, network), 0, 0, separator));
        SaveLines(ren, RenLines(network, 0, 0, separator));
        ASSERT_EQ(MessageOf([&] { ApplyDescription(ReadRen(ren), network, state); }), "(no error)") << separator;
        EXPECT_EQ(Snapshot(network), original);
        EXPECT_EQ(state.EntradasPatrones[1][1], -largest);
        EXPECT_EQ(state.SalidasPatrones[1][1], smallest);
    }
}

TEST_F(NetworkLoading, UntrainedLoadWritesCountsInOrderThenDrawsFreshWeights) {
    // The seeding clock ticks on every read, so the weights tell the order
    // and the number of the draws.
    int tic = 0;
    RandomGenerator::SetClock([&] { return TimeOfDay{0, 0, tic / 1000, tic++ % 1000}; });
    TRedNeuronal reference;
    PrepareStartUpNetwork(reference);
    tic = 0;
    TRedNeuronal loadedNetwork;
    PrepareStartUpNetwork(loadedNetwork);

    tic = 5000;
    {
        // A load seeds once and every neuron draws on.
        const RandomGenerator::WeightsSequence weights(RandomGenerator::WeightsSequence::Start::Restart);
        reference.SetNeuronasCapaOculta(3);
        reference.SetNeuronasCapaSalida(2);
        reference.SetNumeroEntradas(4);
        reference.SetFuncionTransferencia(ftTangenteHiperbolica);
        reference.InicializarPesos();
    }

    tic = 5000;
    LoadResult result =
        ApplyDescription(DescribeRna(JoinLines({"4", "3", "2", "0", "1", "0"})), loadedNetwork, state);
    RandomGenerator::SetClock({});
    EXPECT_EQ(Snapshot(loadedNetwork).weights, Snapshot(reference).weights);
    EXPECT_EQ(loadedNetwork.FuncionTransferencia(), ftTangenteHiperbolica);
    EXPECT_TRUE(state.RedCreada);
    EXPECT_EQ(result.Kind, NetworkFileKind::Untrained);
    EXPECT_TRUE(result.PatternsTaken);
    EXPECT_EQ(result.Header.NumeroEntradas, 4);
    EXPECT_EQ(result.Header.FunctionSelection, 1);
}

TEST_F(NetworkLoading, TrainedLoadKeepsTheWeightsRead) {
    NetworkDescription d = DescribeRen(JoinLines({"1", "2", "1", "-1", "2", "1", "2", "3", "4", "5", "6", "7"}));
    LoadResult result = ApplyDescription(d, network, state);
    EXPECT_EQ(network.CapaOculta.Neuronas[1].Pesos[0], 1);
    EXPECT_EQ(network.CapaOculta.Neuronas[2].Pesos[1], 4);
    EXPECT_EQ(network.CapaSalida.Neuronas[1].Pesos[0], 5);
    EXPECT_EQ(network.CapaSalida.Neuronas[1].Pesos[2], 7);
    EXPECT_EQ(network.FuncionTransferencia(), ftIdentidad);
    EXPECT_EQ(result.Kind, NetworkFileKind::Trained);
    EXPECT_FALSE(result.PatternsTaken);
    EXPECT_EQ(state.NumeroPatrones, 5);
    EXPECT_TRUE(state.RedCreada);
}

TEST_F(NetworkLoading, NoSelectionLeavesTheTransferFunction) {
    network.SetFuncionTransferencia(ftTangenteHiperbolica);
    ApplyDescription(DescribeRna(JoinLines({"1", "1", "1", "-1", "-1", "0"})), network, state);
    EXPECT_EQ(network.FuncionTransferencia(), ftTangenteHiperbolica);
    ApplyDescription(DescribeRna(JoinLines({"1", "1", "1", "-1", "0", "0"})), network, state);
    EXPECT_EQ(network.FuncionTransferencia(), ftSigmoide);
}

TEST_F(NetworkLoading, PatternsReplaceOnlyTheRowsAndColumnsTheFileHolds) {
    const WorkState before = state;
    ApplyDescription(DescribeRna(JoinLines({"1", "1", "2", "0", "0", "2", "7", "8", "1", "2", "3", "4"})), network, state);
    EXPECT_EQ(state.NumeroPatrones, 2);
    EXPECT_EQ(state.EntradasPatrones[1][1], 7);
    EXPECT_EQ(state.EntradasPatrones[2][1], 8);
    EXPECT_EQ(state.SalidasPatrones[1][2], 2);
    EXPECT_EQ(state.SalidasPatrones[2][2], 4);
    EXPECT_EQ(state.EntradasPatrones[1][2], before.EntradasPatrones[1][2]);
    EXPECT_EQ(state.SalidasPatrones[2][3], before.SalidasPatrones[2][3]);
    EXPECT_EQ(state.EntradasPatrones[3], before.EntradasPatrones[3]);
    EXPECT_EQ(state.SalidasPatrones[5], before.SalidasPatrones[5]);
}

TEST_F(NetworkLoading, FailedLoadChangesNothing) {
    const std::string rna = folder.Path("mala.rna");
    const std::string ren = folder.Path("otra.ren");
    const std::string companion = folder.Path("otra.rna");
    struct Case {
        const char* name;
        std::string path;
        Lines file;
        Lines companion;  // empty: none
        std::string message;
    };
    const Case cases[] = {
        {"last pattern value", rna, {"1", "1", "1", "0", "0", "2", "1", "2", "3", "x"}, {}, "'x' is not a valid floating point value"},
        {"missing pattern line", rna, {"1", "1", "1", "0", "0", "2", "1", "2", "3"}, {}, "List index out of bounds (9)"},
        {"pattern count", rna, {"1", "1", "1", "0", "0", "101"}, {}, "'101' is not a valid pattern count"},
        {"missing file", folder.Path("no.rna"), {}, {}, "Cannot open file " + folder.Path("no.rna")},
        {"last weight", ren, {"1", "1", "1", "0", "0", "1", "2", "3", "1E999"}, {}, "Floating point overflow"},
        {"companion values", ren, {"1", "1", "1", "0", "0", "1", "2", "3", "4"}, {"1", "1", "1", "0", "0", "1", "1", "y"},
         "'y' is not a valid floating point value"},
        {"companion header", ren, {"1", "1", "1", "0", "0", "1", "2", "3", "4"}, {"1", "1"}, "List index out of bounds (2)"},
    };
    for (const Case& testCase : cases) {
        std::filesystem::remove(companion);
        if (!testCase.file.empty()) WriteBytes(testCase.path, JoinLines(testCase.file));
        if (!testCase.companion.empty()) WriteBytes(companion, JoinLines(testCase.companion));
        const NetworkSnapshotForTest networkBefore = Snapshot(network);
        const WorkState stateBefore = state;
        const bool trained = testCase.path == ren;
        std::string message = MessageOf([&] {
            if (trained) {
                ApplyDescription(ReadRen(testCase.path), network, state);
            } else {
                ApplyDescription(ReadRna(testCase.path), network, state);
            }
        });
        EXPECT_EQ(message, testCase.message) << testCase.name;
        EXPECT_EQ(Snapshot(network), networkBefore) << testCase.name;
        EXPECT_TRUE(SameState(state, stateBefore)) << testCase.name;
    }
}

TEST_F(NetworkLoading, TrainedFileTakesPatternsFromItsCompanion) {
    const std::string ren = folder.Path("xor.ren");
    WriteBytes(ren, JoinLines({"2", "1", "1", "0", "0", "1", "2", "3", "4", "5"}));
    WriteBytes(folder.Path("xor.rna"), JoinLines({"2", "1", "1", "0", "0", "1", "0,5", "1", "0"}));
    LoadResult result = ApplyDescription(ReadRen(ren), network, state);
    EXPECT_TRUE(result.PatternsTaken);
    EXPECT_EQ(result.Kind, NetworkFileKind::Trained);
    EXPECT_EQ(result.Warning, "");
    EXPECT_EQ(state.NombreRed, "xor");
    EXPECT_EQ(state.NumeroPatrones, 1);
    EXPECT_EQ(state.EntradasPatrones[1][1], 0.5);
    EXPECT_EQ(network.CapaSalida.Neuronas[1].Pesos[1], 5);
}

TEST_F(NetworkLoading, TrainedFileWithoutCompanionKeepsTheTable) {
    const WorkState before = state;
    const std::string ren = folder.Path("solo.ren");
    WriteBytes(ren, JoinLines({"1", "1", "1", "0", "0", "1", "2", "3", "4"}));
    std::filesystem::create_directory(folder.Path("solo.rna"));  // a folder is no companion
    LoadResult result = ApplyDescription(ReadRen(ren), network, state);
    EXPECT_FALSE(result.PatternsTaken);
    EXPECT_EQ(result.Warning, "");
    EXPECT_EQ(result.Kind, NetworkFileKind::Trained);
    EXPECT_EQ(state.NumeroPatrones, before.NumeroPatrones);
    EXPECT_EQ(state.EntradasPatrones, before.EntradasPatrones);
    EXPECT_EQ(state.NombreRed, "solo");
}

TEST_F(NetworkLoading, CompanionOfAnotherTopologyLoadsTheNetworkAndWarns) {
    const WorkState before = state;
    const std::string ren = folder.Path("xor.ren");
    const std::string rna = folder.Path("xor.rna");
    WriteBytes(ren, JoinLines({"1", "1", "1", "0", "0", "1", "2", "3", "4"}));
    WriteBytes(rna, JoinLines({"2", "1", "1", "0", "0", "1", "1", "1", "1"}));
    LoadResult result = ApplyDescription(ReadRen(ren), network, state);
    EXPECT_FALSE(result.PatternsTaken);
    EXPECT_EQ(result.Warning, "El fichero de patrones " + rna + " no corresponde a la topología de la red; no se ha cargado.");
    EXPECT_EQ(network.NumeroEntradas(), 1);
    EXPECT_EQ(network.CapaSalida.Neuronas[1].Pesos[1], 4);
    EXPECT_EQ(state.NumeroPatrones, before.NumeroPatrones);
    EXPECT_EQ(state.SalidasPatrones, before.SalidasPatrones);
}

TEST_F(NetworkLoading, BlocksGoToTheStateAndBackForSaving) {
    const Lines training{"2", "1", "1", "0", "0", "1", "0,5", "1", "0"};
    const Lines blocks{"[prueba]", "1", "3", "4", "1", "[aprendizaje]", "2", "0,5", "[nombres]", "a", "Entrada 2", "b"};
    const Lines weights{"2", "1", "1", "0", "0", "1", "2", "3", "4", "5"};
    struct Case {
        const char* name;
        Lines file;
        Lines companion;  // for a trained file; empty: none
        std::int32_t testCount;
        Lines inputNames, outputNames;
        std::optional<LearningSettings> learning;
    };
    const Case cases[] = {
        {"untrained with every block", Joined(training, blocks), {}, 1, {"a", "Entrada 2"}, {"b"}, LearningSettings{2, 0.5}},
        {"untrained without blocks: none, and the defaults", training, {}, 0, {}, {}, LearningSettings{}},
        {"companion with every block", weights, Joined(training, blocks), 1, {"a", "Entrada 2"}, {"b"}, LearningSettings{2, 0.5}},
        {"no companion: the state keeps its own", weights, {}, 3, {"x1", "x2"}, {"y"}, std::nullopt},
    };
    for (const Case& c : cases) {
        state.TestPatternCount = 3;
        state.TestInputs[1][1] = 9;
        state.InputNames = {"x1", "x2"};
        state.OutputNames = {"y"};
        const bool trained = c.file == weights;
        const std::string path = folder.Path(trained ? "red.ren" : "red.rna");
        std::filesystem::remove(folder.Path("red.rna"));
        WriteBytes(path, JoinLines(c.file));
        if (!c.companion.empty()) WriteBytes(folder.Path("red.rna"), JoinLines(c.companion));
        const LoadResult result = ApplyDescription(trained ? ReadRen(path) : ReadRna(path), network, state);
        EXPECT_EQ(result.Warning, "") << c.name;
        EXPECT_EQ(result.Learning, c.learning) << c.name;
        EXPECT_EQ(state.TestPatternCount, c.testCount) << c.name;
        EXPECT_EQ(state.TestInputs[1][1], c.testCount == 1 ? 3 : 9) << c.name;
        EXPECT_EQ(state.InputNames, c.inputNames) << c.name;
        EXPECT_EQ(state.OutputNames, c.outputNames) << c.name;
        if (result.Learning) {
            // Saved again, the untrained file is line for line the one read.
            const Lines saved = RnaLines(network, PatternsToSave(state, network), BlocksToSave(state, network, *result.Learning),
                                         0, 0, ',');
            EXPECT_EQ(saved, trained ? c.companion : c.file) << c.name;
        }
    }
}

}  // namespace

TEST(RnaLines, CommaExampleHasTwelveLinesInOrder) {
    TRedNeuronal network;
    Topology(network, 2, 3, 1);
    WorkState state;
    state.NumeroPatrones = 2;
    state.EntradasPatrones[1][1] = 0;
    state.EntradasPatrones[1][2] = 0.5;
    state.SalidasPatrones[1][1] = 1;
    state.EntradasPatrones[2][1] = 1;
    state.EntradasPatrones[2][2] = 1;
    state.SalidasPatrones[2][1] = 0;
    EXPECT_EQ(RnaLines(network, PatternsToSave(state, network), 0, 0, ','), (Lines{"2", "3", "1", "0", "0", "2", "0", "0,5", "1", "1", "1", "0"}));
}

TEST(RnaLines, InputsOfAllPatternsPrecedeTheirOutputs) {
    TRedNeuronal network;
    Topology(network, 2, 4, 1);
    WorkState state;
    state.NumeroPatrones = 3;
    for (int p = 1; p <= 3; ++p) {
        state.EntradasPatrones[p][1] = p * 10 + 1;
        state.EntradasPatrones[p][2] = p * 10 + 2;
        state.EntradasPatrones[p][3] = 99;  // beyond the network's inputs: not saved
        state.SalidasPatrones[p][1] = -p;
    }
    state.EntradasPatrones[4][1] = 77;  // beyond the pattern count: not saved
    EXPECT_EQ(RnaLines(network, PatternsToSave(state, network), -1, 2, '.'),
              (Lines{"2", "4", "1", "-1", "2", "3", "11", "12", "21", "22", "31", "32", "-1", "-2", "-3"}));
}

TEST(RnaLines, BeforeAnyChoiceWritesStartUpTopologyAndNoPatterns) {
    TRedNeuronal network;
    PrepareStartUpNetwork(network);
    WorkState state;
    EXPECT_EQ(RnaLines(network, PatternsToSave(state, network), -1, -1, '.'), (Lines{"2", "2", "1", "-1", "-1", "0"}));
}

TEST(ApplyDescription, SelectionsOutsideTheListsReadAsNone) {
    struct Case {
        const char* rule;
        const char* function;
        int ruleSelection;
        int functionSelection;
    };
    const Case cases[] = {
        {"0", "1", 0, 1}, {"0", "2", 0, 2}, {"-1", "-1", -1, -1}, {"1", "3", -1, -1}, {"$0", "-5", 0, -1},
    };
    for (const Case& testCase : cases) {
        TRedNeuronal network;
        WorkState state;
        const LoadResult d = ApplyDescription(DescribeRna(JoinLines({"1", "1", "1", testCase.rule, testCase.function, "0"})), network, state);
        EXPECT_EQ(d.Header.RuleSelection, testCase.ruleSelection) << testCase.rule;
        EXPECT_EQ(d.Header.FunctionSelection, testCase.functionSelection) << testCase.function;
    }
}
