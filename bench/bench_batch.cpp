// SPDX-License-Identifier: GPL-3.0-or-later
// A command-line training of 10^7 iterations on XOR (2-2-1), writing every
// 1000th error to a file, against the same run made from the core with the
// errors only counted: the command line should add nothing per iteration.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "batch_training.h"
#include "network.h"
#include "network_files.h"
#include "random_generator.h"
#include "ratio_report.h"
#include "rna_file.h"
#include "training_run.h"
#include "windowless_training_tab.h"
#include "work_state.h"

namespace {

constexpr std::int32_t kIterations = 10'000'000;
constexpr std::uint32_t kSeed = 1;

const std::string kXor = std::string(PERCEPTLAB_EXAMPLES_DIR) + "/xor.rna";

class CountedSeries : public ErrorSeries {
public:
    std::int64_t PointCount() const override { return count_; }
    void AddPoints(std::span<const double> ys) override {
        count_ += static_cast<std::int64_t>(ys.size());
        benchmark::DoNotOptimize(ys.back());
    }
    void Clear() override { count_ = 0; }

private:
    std::int64_t count_ = 0;
};

// The file loaded and trained under the seed, through the core alone.
void BM_CoreRun(benchmark::State& state) {
    for (auto _ : state) {
        RandomGenerator::SetFixedSeed(kSeed);
        auto network = std::make_unique<TRedNeuronal>();
        PrepareStartUpNetwork(*network);
        auto work = std::make_unique<WorkState>();
        ApplyDescription(ReadRna(kXor), *network, *work);
        CountedSeries chart;
        WindowlessTrainingTab view(chart, kIterations);
        Train(*work, *network, view);
        benchmark::DoNotOptimize(network->SalidasObtenidas[1]);
    }
    RandomGenerator::SetFixedSeed(std::nullopt);
}
BENCHMARK(BM_CoreRun)->Unit(benchmark::kMillisecond);

// What perceptlab --train xor.rna --cycles 10000000 --seed 1 --errors E --every 1000 does.
void BM_CommandLineRun(benchmark::State& state) {
    TrainingOrder order;
    order.file = kXor;
    order.cycles = kIterations;
    order.seed = kSeed;
    order.errorsPath = (std::filesystem::temp_directory_path() / "perceptlab-bench-errors.csv").string();
    order.every = 1000;
    for (auto _ : state) benchmark::DoNotOptimize(TrainNetworkFile(order, '.', nullptr).largest);
    std::filesystem::remove(order.errorsPath);
    RandomGenerator::SetFixedSeed(std::nullopt);
}
BENCHMARK(BM_CommandLineRun)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return RunBenchmarksAndPrintRatios(argc, argv, {{"clirun/corerun 2-2-1 1e7", "BM_CommandLineRun", "BM_CoreRun"}});
}
