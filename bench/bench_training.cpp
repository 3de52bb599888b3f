// SPDX-License-Identifier: GPL-3.0-or-later
// Time of a whole training run of 10^6 iterations on XOR against 10^6 bare
// EntrenarPatron calls on the same pattern draws: what the run adds per
// iteration (error, chart point, largest and smallest, counting, the cycle
// count read back every time) should be lost in the training step itself.
// Then the same run with 4 test patterns beside the 4 of XOR, "Error por
// época" on against off: its thousand measurements of both sets should be
// lost in the run. Early stopping, which measures the test set after every
// epoch, is timed the same way, with a K the run never reaches.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "network.h"
#include "random_generator.h"
#include "ratio_report.h"
#include "epoch_error_series.h"
#include "training_run.h"
#include "training_tab_view.h"
#include "windowless_training_tab.h"
#include "work_state.h"

// Every allocation of the process is counted, so a run can show it makes
// none of its own once the chart's storage is reserved.
static std::int64_t allocations = 0;

void* operator new(std::size_t bytes) {
    ++allocations;
    if (void* p = std::malloc(bytes == 0 ? 1 : bytes)) return p;
    throw std::bad_alloc();
}
// GCC takes the free() here for one of a pointer from the built-in new.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

namespace {

constexpr std::int32_t kIterations = 1'000'000;

// Stores the points like the window's chart: in a vector reserved once.
class ErrorSeriesInMemory : public ErrorSeries {
public:
    ErrorSeriesInMemory() { points_.reserve(kIterations); }
    std::int64_t PointCount() const override { return static_cast<std::int64_t>(points_.size()); }
    void AddPoints(std::span<const double> ys) override { points_.insert(points_.end(), ys.begin(), ys.end()); }
    void Clear() override { points_.clear(); }

private:
    std::vector<double> points_;
};


// XOR on a 2-2-1 sigmoid network. The clock is frozen, so the initial weights and the
// pattern draws are the same in both benchmarks.
struct Bench {
    TRedNeuronal network;
    WorkState state;

    Bench() {
        RandomGenerator::SetClock([] { return TimeOfDay{12, 0, 0, 0}; });
        PrepareStartUpNetwork(network);
        LoadXor(state);
    }
    ~Bench() { RandomGenerator::SetClock({}); }
};

void BM_TrainingRun(benchmark::State& state) {
    Bench bench;
    ErrorSeriesInMemory chart;
    WindowlessTrainingTab view(chart, kIterations);
    for (auto _ : state) {
        state.PauseTiming();
        bench.network.InicializarPesos();
        chart.Clear();
        state.ResumeTiming();
        Train(bench.state, bench.network, view);
    }
}
BENCHMARK(BM_TrainingRun)->Unit(benchmark::kMillisecond);

// Keeps the points like the window would: a thousand at most per run.
class EpochErrorsInMemory : public EpochErrorSeries {
public:
    EpochErrorsInMemory() { points_.reserve(kEpochErrorsPerRun); }
    void AddPoint(const EpochErrorPoint& point) override { points_.push_back(point); }
    void Clear() { points_.clear(); }

private:
    std::vector<EpochErrorPoint> points_;
};

// XOR's 4 patterns for training, 4 others for test.
void WithTestPatterns(WorkState& state) {
    const double patterns[4][3] = {{0.2, 0.2, 0.1}, {0.2, 0.8, 0.9}, {0.8, 0.2, 0.9}, {0.8, 0.8, 0.1}};
    for (int p = 1; p <= 4; ++p) {
        state.TestInputs[p][1] = patterns[p - 1][0];
        state.TestInputs[p][2] = patterns[p - 1][1];
        state.TestOutputs[p][1] = patterns[p - 1][2];
    }
    state.TestPatternCount = 4;
}

enum class Watching : std::uint8_t { Nothing, EpochErrors, EarlyStop };

void BM_TrainingRunWithTestSet(benchmark::State& state, Watching watching) {
    Bench bench;
    WithTestPatterns(bench.state);
    ErrorSeriesInMemory chart;
    EpochErrorsInMemory errors;
    WindowlessTrainingTab view(chart, kIterations, watching == Watching::EpochErrors ? &errors : nullptr,
                               watching == Watching::EarlyStop ? kIterations : 0);
    for (auto _ : state) {
        state.PauseTiming();
        bench.network.InicializarPesos();
        chart.Clear();
        errors.Clear();
        state.ResumeTiming();
        Train(bench.state, bench.network, view);
    }
}
BENCHMARK_CAPTURE(BM_TrainingRunWithTestSet, EpochErrorsOn, Watching::EpochErrors)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TrainingRunWithTestSet, EpochErrorsOff, Watching::Nothing)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TrainingRunWithTestSet, EarlyStopOn, Watching::EarlyStop)->Unit(benchmark::kMillisecond);

void BM_EntrenarPatron(benchmark::State& state) {
    Bench bench;
    TRedNeuronal& network = bench.network;
    const WorkState& work = bench.state;
    for (auto _ : state) {
        state.PauseTiming();
        network.InicializarPesos();
        state.ResumeTiming();
        RandomGenerator::SeedFromClock();
        for (std::int32_t t = 0; t < kIterations; ++t) {
            const auto p = static_cast<std::size_t>(std::floor(RandomGenerator::Draw() * work.NumeroPatrones)) + 1;
            for (std::size_t i = 1; i <= 2; ++i) network.Entradas[i] = work.EntradasPatrones[p][i];
            network.SalidasEsperadas[1] = work.SalidasPatrones[p][1];
            network.EntrenarPatron();
            benchmark::DoNotOptimize(network.SalidasObtenidas[1]);
        }
    }
}
BENCHMARK(BM_EntrenarPatron)->Unit(benchmark::kMillisecond);

}  // namespace

// Allocations made by one whole run, the chart's storage being reserved;
// with "Error por época", those of its first snapshots alone.
std::int64_t AllocationsOfARun(bool epochErrors) {
    Bench bench;
    ErrorSeriesInMemory chart;
    EpochErrorsInMemory errors;
    if (epochErrors) WithTestPatterns(bench.state);
    WindowlessTrainingTab view(chart, kIterations, epochErrors ? &errors : nullptr);
    const std::int64_t before = allocations;
    Train(bench.state, bench.network, view);
    return allocations - before;
}

int main(int argc, char** argv) {
    const int state =
        RunBenchmarksAndPrintRatios(argc, argv,
                                    {{"run/EntrenarPatron 2-2-1", "BM_TrainingRun", "BM_EntrenarPatron"},
                                     {"run epoch errors on/off 2-2-1", "BM_TrainingRunWithTestSet/EpochErrorsOn",
                                      "BM_TrainingRunWithTestSet/EpochErrorsOff"},
                                     {"run early stop on/off 2-2-1", "BM_TrainingRunWithTestSet/EarlyStopOn",
                                      "BM_TrainingRunWithTestSet/EpochErrorsOff"}});
    std::printf("memory allocations in a run of 10^6 iterations: %lld\n",
                static_cast<long long>(AllocationsOfARun(false)));
    std::printf("memory allocations in a run of 10^6 iterations with errors per epoch: %lld\n",
                static_cast<long long>(AllocationsOfARun(true)));
    return state;
}
