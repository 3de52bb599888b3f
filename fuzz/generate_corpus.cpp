// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the seed corpus of the fuzz targets with the program's own writers:
// generate_corpus <folder> makes <folder>/rna/* and <folder>/ren/*, some with
// the optional blocks after the patterns.

#include "file_access.h"
#include "line_splitter.h"
#include "network.h"
#include "network_files.h"
#include "ren_file.h"
#include "rna_file.h"
#include "work_state.h"

#include <cmath>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

namespace {

void Topology(TRedNeuronal& network, int inputs, int hidden, int outputs) {
    PrepareStartUpNetwork(network);
    network.SetNeuronasCapaOculta(static_cast<TRangoNeuronas>(hidden));
    network.SetNeuronasCapaSalida(static_cast<TRangoNeuronas>(outputs));
    network.SetNumeroEntradas(inputs);
}

// Values of the shapes the text form distinguishes: whole, fractional, tiny,
// huge, negative, more than fifteen digits.
double Value(int n) {
    static const double values[] = {0, 0.5, 1, -0.25, 1e-5, -2.5e-7, 1e15, 1.5e20, 1.0 / 3.0, 12.5, -3, 0.0001};
    return values[n % 12] * (n / 12 + 1);
}

// The ends of the doubles: the largest, whose 15 digits lie above it, the
// smallest subnormals and a negative zero.
double Extremo(int n) {
    constexpr double largest = std::numeric_limits<double>::max();
    constexpr double smallest = std::numeric_limits<double>::denorm_min();
    static const double values[] = {largest, -largest, smallest, -smallest, 2 * smallest, 3 * smallest, -0.0};
    return values[n % 7];
}

WorkState Patterns(int number, double (*value)(int)) {
    WorkState state;
    state.NumeroPatrones = number;
    for (int p = 1; p <= number; ++p) {
        for (int i = 1; i <= 32; ++i) {
            state.EntradasPatrones[p][i] = value(p * 7 + i);
            state.SalidasPatrones[p][i] = value(p * 3 + i);
        }
    }
    return state;
}

void PutWeights(TRedNeuronal& network, double (*value)(int)) {
    for (TCapaNeuronal* layer : {&network.CapaOculta, &network.CapaSalida}) {
        for (int j = 1; j <= layer->NumeroNeuronas(); ++j) {
            for (int k = 0; k <= layer->NumeroEntradas(); ++k) layer->Neuronas[j].Pesos[static_cast<std::size_t>(k)] = value(j * 5 + k);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder / "rna");
    std::filesystem::create_directories(folder / "ren");
    auto path = [&](const char* kind, const std::string& name) { return (folder / kind / name).string(); };

    struct Case {
        const char* name;
        int inputs, hidden, outputs, patterns, rule, function;
        char separator;
        double (*value)(int) = Value;
        int testPatterns = 0;
        LearningSettings learning{};
        std::vector<std::string> inputNames{};
        std::vector<std::string> outputNames{};
    };
    const Case cases[] = {
        {"xor_punto", 2, 3, 1, 4, 0, 0, '.'},    {"xor_coma", 2, 3, 1, 4, 0, 1, ','},
        {"vacia", 2, 2, 1, 0, -1, -1, '.'},      {"ancha", 32, 3, 32, 2, 0, 2, ','},
        {"cien", 1, 1, 1, 100, 0, 0, '.'},       {"mixta", 3, 4, 2, 5, -1, 1, ','},
        {"extremos_punto", 3, 2, 2, 3, 0, 2, '.', Extremo}, {"extremos_coma", 2, 3, 1, 4, 0, 0, ',', Extremo},
        {"bloques_punto", 2, 3, 1, 4, 0, 0, '.', Value, 3, {0.1, 0.9}, {"x\xc3\xb1", ""}, {"clase"}},
        {"bloques_coma", 3, 4, 2, 5, -1, 1, ',', Value, 2, {2, 0}, {}, {"setosa", "versicolor"}},
        {"prueba_llena", 1, 1, 1, 1, 0, 0, '.', Value, 100},
    };
    for (const Case& c : cases) {
        TRedNeuronal network;
        Topology(network, c.inputs, c.hidden, c.outputs);
        if (c.value == Extremo) PutWeights(network, Extremo);
        WorkState state = Patterns(c.patterns, c.value);
        const WorkState test = Patterns(c.testPatterns, c.value);
        state.TestPatternCount = test.NumeroPatrones;
        state.TestInputs = test.SalidasPatrones;
        state.TestOutputs = test.EntradasPatrones;
        state.InputNames = c.inputNames;
        state.OutputNames = c.outputNames;
        const std::string rna = JoinLines(RnaLines(network, PatternsToSave(state, network),
                                                   BlocksToSave(state, network, c.learning), c.rule, c.function, c.separator));
        const std::string ren = JoinLines(RenLines(network, c.rule, c.function, c.separator));
        SaveFileSafely(path("rna", std::string(c.name) + ".rna"), rna);
        SaveFileSafely(path("ren", std::string(c.name) + ".ren"), ren);
        // The trained file followed by its companion, as the ren target splits them.
        SaveFileSafely(path("ren", std::string(c.name) + "_con_patrones.ren"), ren + "\f" + rna);
    }
    return 0;
}
