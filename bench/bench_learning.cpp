// SPDX-License-Identifier: GPL-3.0-or-later
// The decision map of the "Cómo Aprende" tab: one repaint of its 200 × 200
// cells for a 2-32-1 network (a snapshot, 40 000 forward passes, the picture),
// of the output's map and of one hidden neuron's, and for a 4-32-1 network
// with inputs 3 and 4 held, against 40 000 calls of Propagar over the same
// points.

#include "bench_application.h"
#include "decision_map.h"
#include "learning_choices.h"
#include "network.h"
#include "random_generator.h"
#include "ratio_report.h"
#include "work_state.h"

#include <QApplication>
#include <QComboBox>
#include <QLayout>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <clocale>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kCells = 200;

void Network2x32x1(TRedNeuronal& network) {
    PrepareStartUpNetwork(network);
    network.SetNeuronasCapaOculta(32);
}

void Xor(WorkState& state) {
    const double patterns[4][3] = {{0, 0, 0}, {0, 1, 1}, {1, 0, 1}, {1, 1, 0}};
    state.RedCreada = true;
    state.NumeroPatrones = 4;
    for (int p = 1; p <= 4; ++p) {
        state.EntradasPatrones[static_cast<std::size_t>(p)][1] = patterns[p - 1][0];
        state.EntradasPatrones[static_cast<std::size_t>(p)][2] = patterns[p - 1][1];
        state.SalidasPatrones[static_cast<std::size_t>(p)][1] = patterns[p - 1][2];
    }
}

// range(0): 0 the output's map, j hidden neuron j's; range(1): the inputs.
void BM_MapRepaint(benchmark::State& state) {
    TRedNeuronal network;
    Network2x32x1(network);
    const int inputs = static_cast<int>(state.range(1));
    network.SetNumeroEntradas(inputs);
    WorkState work;
    Xor(work);
    for (int p = 1; p <= 4; ++p)
        for (int i = 3; i <= inputs; ++i) work.EntradasPatrones[static_cast<std::size_t>(p)][static_cast<std::size_t>(i)] = 0.25 * p;
    LearningChoices choices;
    DecisionMap map(choices);
    map.show();
    map.SetSource(network, work);
    // A repaint paints only once the window system has shown the window.
    while (!map.windowHandle()->isExposed()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    // The size whose plane holds exactly 200 × 200 cells, once the layout has placed the plane
    // with the controls this network shows (the window system may take a resize in steps).
    for (int attempt = 0; attempt < 3 && map.Cells() != QSize(kCells, kCells); ++attempt) {
        map.resize(map.size() + (QSize(kCells, kCells) - map.Cells()) * DecisionMap::kCellPixels);
        QCoreApplication::processEvents();
        map.layout()->activate();
    }
    map.Refresh();
    if (const int hidden = static_cast<int>(state.range(0)); hidden > 0) {
        auto* chooser = map.findChild<QComboBox*>(QStringLiteral("outputChooser"));
        chooser->setCurrentIndex(chooser->findData(-hidden));
        emit chooser->activated(chooser->currentIndex());
    }
    if (map.Cells() != QSize(kCells, kCells)) state.SkipWithError("the map does not hold 200 x 200 cells");
    if (map.Neuron().hidden != (state.range(0) > 0)) state.SkipWithError("the map does not show the neuron asked for");
    for (auto _ : state) {
        map.Refresh();
        map.repaint();
    }
}
BENCHMARK(BM_MapRepaint)->Args({0, 2})->Args({1, 2})->Args({0, 4})->Unit(benchmark::kMillisecond);

// The same points as the map's cells, each through the network itself;
// range(0): the inputs, those past the second held at pattern 1's.
void BM_Propagar40000(benchmark::State& state) {
    TRedNeuronal network;
    Network2x32x1(network);
    const int inputs = static_cast<int>(state.range(0));
    network.SetNumeroEntradas(inputs);
    for (int i = 3; i <= inputs; ++i) network.Entradas[static_cast<std::size_t>(i)] = 0.25;
    for (auto _ : state) {
        for (int row = 0; row < kCells; ++row) {
            network.Entradas[2] = 1.1 - 1.2 * (row + 0.5) / kCells;
            for (int column = 0; column < kCells; ++column) {
                network.Entradas[1] = -0.1 + 1.2 * (column + 0.5) / kCells;
                network.Propagar();
                benchmark::DoNotOptimize(network.SalidasObtenidas[1]);
            }
        }
    }
}
BENCHMARK(BM_Propagar40000)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    const auto app = StartBenchApplication(argc, argv);
    std::vector<char*> args(argv, argv + argc);
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    args.push_back(interleave.data());
    return RunBenchmarksAndPrintRatios(static_cast<int>(args.size()), args.data(),
                                       {{"mapa 200x200/Propagar x 40000", "BM_MapRepaint/0/2", "BM_Propagar40000/2"},
                                        {"mapa neurona 200x200/Propagar x 40000", "BM_MapRepaint/1/2", "BM_Propagar40000/2"},
                                        {"mapa repintado 4 entradas 200x200/Propagar x 40000", "BM_MapRepaint/0/4",
                                         "BM_Propagar40000/4"}});
}
