// SPDX-License-Identifier: GPL-3.0-or-later
// Training through the main window, offscreen, with the error chart attached:
// - a whole run of 10^6 (and of 10^7) XOR iterations against the core run alone, which
//   reads a plain cycle count and drops its points, with the training tab in
//   front and with the "Cómo Aprende" tab in front, each of its views in turn
//   (the map, the costliest, also as the tab's summary line), and a run of
//   10^7 during which the view in front changes every 100 ms;
// - the same runs with 4 test patterns beside the 4 training ones and "Error
//   por época" on, both sets measured after the epochs a run sends;
// - peak resident memory of whole window runs of 10^5, 10^6 and 10^7
//   iterations, and of 10^5 and 10^7 with the test set and both curves per
//   epoch, each in a process of its own (this program run again);
// - 10000 iterations of a 32-32-32 network through the window: the longest
//   the window goes without processing messages, so "Stop" waits no longer.

#include "bench_application.h"
#include "error_chart.h"
#include "flat_combo_box.h"
#include "flat_spin_edit_integer.h"
#include "main_window.h"
#include "network.h"
#include "nk_label_float.h"
#include "random_generator.h"
#include "ratio_report.h"
#include "regional_separators.h"
#include "training_run.h"
#include "training_tab_view.h"
#include "windowless_training_tab.h"
#include "work_state.h"

#include <QApplication>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <charconv>
#include <clocale>
#include <iterator>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr std::int32_t kIterations = 1'000'000;
constexpr const char* kMemoryRunFlag = "--gui-memory-run";
constexpr const char* kTestSetFlag = "--test-set";

// A window as the user leaves it after "Nueva Red Neuronal" with the given
// counts, sigmoid, and the training tab shown.
std::unique_ptr<TForm1> NewWindow(int inputs, int hidden, int outputs) {
    auto form = std::make_unique<TForm1>(RegionalDecimalSeparator());
    form->show();
    form->FlatSpinEditInteger1->SetValue(inputs);
    form->FlatSpinEditInteger2->SetValue(hidden);
    form->FlatSpinEditInteger3->SetValue(outputs);
    form->FlatComboBox1->SetItemIndex(0);
    form->FlatComboBox2->SetItemIndex(0);
    form->SpeedButton1->click();
    return form;
}

// XOR coded 0.1 / 0.9, typed into the entry fields and added one by one.
std::unique_ptr<TForm1> XorWindow() {
    std::unique_ptr<TForm1> form = NewWindow(2, 2, 1);
    const long double patterns[4][3] = {{0.1L, 0.1L, 0.1L}, {0.1L, 0.9L, 0.9L}, {0.9L, 0.1L, 0.9L}, {0.9L, 0.9L, 0.1L}};
    for (const auto& p : patterns) {
        form->NKLabelFloat[1]->SetValue(p[0]);
        form->NKLabelFloat[2]->SetValue(p[1]);
        form->NKLabelFloat[11]->SetValue(p[2]);
        form->SpeedButton3->click();
    }
    form->PageControl1->setCurrentWidget(form->TabSheet3);
    QCoreApplication::processEvents();
    return form;
}

// XOR with 4 test patterns (the training ones moved by 0.05) and "Error por
// época" on, as the user leaves it after loading such a file.
std::unique_ptr<TForm1> XorWindowWithTestSet() {
    std::unique_ptr<TForm1> form = XorWindow();
    WorkState& work = form->workState;
    work.TestPatternCount = 4;
    for (int p = 1; p <= 4; ++p) {
        for (int i = 1; i <= 2; ++i) work.TestInputs[p][i] = work.EntradasPatrones[p][i] + 0.05;
        work.TestOutputs[p][1] = work.SalidasPatrones[p][1];
    }
    form->epochErrors->trigger();
    return form;
}

// One whole run as the user starts it, ending with the chart painted with
// every point of the run, which the window would otherwise leave to its
// next repaint.
void RunThroughWindow(TForm1& form, std::int32_t iterations) {
    form.FlatSpinEditInteger4->SetValue(iterations);
    form.SpeedButton7->click();
    form.Chart1->Draw();
    form.Chart1->viewport()->repaint();
    QCoreApplication::processEvents();
}

void BM_GuiRun(benchmark::State& state) {
    std::unique_ptr<TForm1> form = XorWindow();
    for (auto _ : state) {
        state.PauseTiming();
        form->SpeedButton8->click();
        state.ResumeTiming();
        RunThroughWindow(*form, static_cast<std::int32_t>(state.range(0)));
    }
    state.counters["chart points"] = static_cast<double>(form->Chart1->Store().Count());
}
// One iteration shows what a run costs whatever its length: the progress
// window and the final repaint. A run ten times longer spreads that fixed
// cost over ten times the iterations.
BENCHMARK(BM_GuiRun)->Arg(1)->Arg(kIterations)->Arg(10 * kIterations)->Unit(benchmark::kMillisecond);

// A run with the test set and both curves per epoch: at most about a
// thousand epochs measured, whatever the run's length.
void BM_GuiRunTestSet(benchmark::State& state) {
    std::unique_ptr<TForm1> form = XorWindowWithTestSet();
    for (auto _ : state) {
        state.PauseTiming();
        form->SpeedButton8->click();
        state.ResumeTiming();
        RunThroughWindow(*form, static_cast<std::int32_t>(state.range(0)));
    }
    state.counters["epoch points"] = static_cast<double>(form->Chart1->TestEpochs().EpochPoints().size());
}
BENCHMARK(BM_GuiRunTestSet)->Arg(kIterations)->Arg(10 * kIterations)->Unit(benchmark::kMillisecond);

// The "Cómo Aprende" views, in their tabs' order.
constexpr const char* kLearningViews[] = {"stepView", "networkDiagram", "decisionMap", "resultsView", "confusionView"};

// The same run with the "Cómo Aprende" tab in front, showing the view
// kLearningViews[range(1)].
void BM_GuiRunLearning(benchmark::State& state) {
    std::unique_ptr<TForm1> form = XorWindow();
    form->PageControl1->setCurrentWidget(form->TabSheet6);
    auto* views = form->findChild<QTabWidget*>(QStringLiteral("learningViews"));
    views->setCurrentWidget(form->findChild<QWidget*>(kLearningViews[state.range(1)]));
    QCoreApplication::processEvents();
    for (auto _ : state) {
        state.PauseTiming();
        form->SpeedButton8->click();
        state.ResumeTiming();
        RunThroughWindow(*form, static_cast<std::int32_t>(state.range(0)));
    }
}
BENCHMARK(BM_GuiRunLearning)->ArgsProduct({{kIterations}, {0, 1, 2, 3, 4}})->Unit(benchmark::kMillisecond);

// A run of 10^7 during which the learner looks around: every 100 ms the view
// in front changes, from the training tab to each "Cómo Aprende" view in
// turn and back, each shown view reading the network at once.
void BM_GuiRunSwitchingViews(benchmark::State& state) {
    std::unique_ptr<TForm1> form = XorWindow();
    auto* views = form->findChild<QTabWidget*>(QStringLiteral("learningViews"));
    int turn = 0;
    QTimer switcher;
    switcher.setInterval(100);
    QObject::connect(&switcher, &QTimer::timeout, [&] {
        const int front = turn++ % static_cast<int>(std::size(kLearningViews) + 1);
        if (front == 0) {
            form->PageControl1->setCurrentWidget(form->TabSheet3);
            return;
        }
        form->PageControl1->setCurrentWidget(form->TabSheet6);
        views->setCurrentWidget(form->findChild<QWidget*>(kLearningViews[front - 1]));
    });
    for (auto _ : state) {
        state.PauseTiming();
        form->SpeedButton8->click();
        form->PageControl1->setCurrentWidget(form->TabSheet3);
        turn = 0;
        switcher.start();
        state.ResumeTiming();
        RunThroughWindow(*form, static_cast<std::int32_t>(state.range(0)));
        state.PauseTiming();
        state.counters["view changes"] = turn;
        switcher.stop();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_GuiRunSwitchingViews)->Arg(10 * kIterations)->Unit(benchmark::kMillisecond);

// The core run with nothing of the window behind it, its points dropped.
class CountingChart : public ErrorSeries {
public:
    std::int64_t PointCount() const override { return count_; }
    void AddPoints(std::span<const double> ys) override {
        benchmark::DoNotOptimize(ys.data());
        count_ += static_cast<std::int64_t>(ys.size());
    }
    void Clear() override { count_ = 0; }

private:
    std::int64_t count_ = 0;
};

void BM_CoreRun(benchmark::State& state) {
    TRedNeuronal network;
    PrepareStartUpNetwork(network);
    WorkState work;
    LoadXor(work);
    CountingChart chart;
    WindowlessTrainingTab view(chart, static_cast<std::int32_t>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        network.InicializarPesos();
        state.ResumeTiming();
        Train(work, network, view);
    }
}
BENCHMARK(BM_CoreRun)->Arg(kIterations)->Arg(10 * kIterations)->Unit(benchmark::kMillisecond);

// Four patterns of 32 inputs and 32 outputs, as a load would leave them.
void BM_GuiRun32x32x32(benchmark::State& state) {
    std::unique_ptr<TForm1> form = NewWindow(32, 32, 32);
    WorkState& work = form->workState;
    for (int p = 1; p <= 4; ++p) {
        for (int i = 1; i <= 32; ++i) {
            work.EntradasPatrones[p][i] = (i + p) % 3 == 0 ? 0.9 : 0.1;
            work.SalidasPatrones[p][i] = (i * p) % 5 == 0 ? 0.9 : 0.1;
        }
    }
    work.NumeroPatrones = 4;
    form->PageControl1->setCurrentWidget(form->TabSheet3);
    for (auto _ : state) RunThroughWindow(*form, static_cast<std::int32_t>(state.range(0)));
}
BENCHMARK(BM_GuiRun32x32x32)->Arg(10'000)->Unit(benchmark::kMillisecond);

// The child's side: one whole window run, then exit.
int MemoryRun(std::int32_t iterations, bool testSet) {
    std::unique_ptr<TForm1> form = testSet ? XorWindowWithTestSet() : XorWindow();
    RunThroughWindow(*form, iterations);
    const bool epochsSent = !testSet || !form->Chart1->TestEpochs().EpochPoints().empty();
    return form->Chart1->Store().Count() == iterations && epochsSent ? 0 : 1;
}

// Peak resident set of a child doing one run of `iterations`, in MB.
double PeakMegabytes(const char* self, std::int32_t iterations, bool testSet = false) {
    std::string count = std::to_string(iterations);
    std::string set = kTestSetFlag;
    char* args[] = {const_cast<char*>(self), const_cast<char*>(kMemoryRunFlag), count.data(),
                    testSet ? set.data() : nullptr, nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, self, nullptr, nullptr, args, environ) != 0) return -1.0;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1.0;
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KB
}

}  // namespace

int main(int argc, char** argv) {
    const auto app = StartBenchApplication(argc, argv);

    if ((argc == 3 || argc == 4) && std::strcmp(argv[1], kMemoryRunFlag) == 0) {
        std::int32_t iterations = 0;
        std::from_chars(argv[2], argv[2] + std::strlen(argv[2]), iterations);
        return MemoryRun(iterations, argc == 4 && std::strcmp(argv[3], kTestSetFlag) == 0);
    }

    // Repetitions of the two runs alternate, so a change of load on the
    // machine falls on both.
    std::vector<char*> args(argv, argv + argc);
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    args.push_back(interleave.data());
    const int status = RunBenchmarksAndPrintRatios(static_cast<int>(args.size()), args.data(),
                                                   {{"guirun/corerun 2-2-1", "BM_GuiRun/1000000", "BM_CoreRun/1000000"},
                                                    {"guirun/corerun 2-2-1 1e7", "BM_GuiRun/10000000",
                                                     "BM_CoreRun/10000000"},
                                                    {"guirun aprende/corerun 2-2-1", "BM_GuiRunLearning/1000000/2",
                                                     "BM_CoreRun/1000000"},
                                                    {"guirun aprende paso/corerun 2-2-1",
                                                     "BM_GuiRunLearning/1000000/0", "BM_CoreRun/1000000"},
                                                    {"guirun aprende red/corerun 2-2-1",
                                                     "BM_GuiRunLearning/1000000/1", "BM_CoreRun/1000000"},
                                                    {"guirun aprende mapa/corerun 2-2-1",
                                                     "BM_GuiRunLearning/1000000/2", "BM_CoreRun/1000000"},
                                                    {"guirun aprende resultados/corerun 2-2-1",
                                                     "BM_GuiRunLearning/1000000/3", "BM_CoreRun/1000000"},
                                                    {"guirun aprende matriz/corerun 2-2-1",
                                                     "BM_GuiRunLearning/1000000/4", "BM_CoreRun/1000000"},
                                                    {"guirun cambiando vistas/corerun 2-2-1 1e7",
                                                     "BM_GuiRunSwitchingViews/10000000", "BM_CoreRun/10000000"},
                                                    {"guirun prueba/corerun 2-2-1", "BM_GuiRunTestSet/1000000",
                                                     "BM_CoreRun/1000000"},
                                                    {"guirun prueba/corerun 2-2-1 1e7",
                                                     "BM_GuiRunTestSet/10000000", "BM_CoreRun/10000000"}});

    const char* self = "/proc/self/exe";
    const double small = PeakMegabytes(self, 100'000);
    const double medium = PeakMegabytes(self, 1'000'000);
    const double large = PeakMegabytes(self, 10'000'000);
    if (small < 0 || medium < 0 || large < 0) {
        std::printf("memory MB 1e5 1e6 1e7: not measured\n");
        return 1;
    }
    std::printf("memory MB 1e5 1e6 1e7: %.1f %.1f %.1f\n", small, medium, large);
    const double smallTestSet = PeakMegabytes(self, 100'000, true);
    const double largeTestSet = PeakMegabytes(self, 10'000'000, true);
    if (smallTestSet < 0 || largeTestSet < 0) {
        std::printf("memory MB prueba 1e5 1e7: not measured\n");
        return 1;
    }
    std::printf("memory MB prueba 1e5 1e7: %.1f %.1f\n", smallTestSet, largeTestSet);
    return status;
}
