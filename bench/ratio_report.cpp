// SPDX-License-Identifier: GPL-3.0-or-later
#include "ratio_report.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>

namespace {

// Keeps the median of every benchmark while the console shows the usual table.
class MedianCollector : public benchmark::ConsoleReporter {
public:
    // No colours: the ratio lines printed after the table must start their line.
    MedianCollector() : ConsoleReporter(OO_Tabular) {}

    std::map<std::string, double> seconds;

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                std::string name = run.run_name.function_name;
                if (!run.run_name.args.empty()) name += "/" + run.run_name.args;
                // CPU time: every benchmark here is single-threaded, and wall time
                // swings with whatever else the machine is doing.
                seconds[name] = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int RunBenchmarksAndPrintRatios(int argc, char** argv, const std::vector<BenchRatio>& ratios) {
    std::vector<char*> args(argv, argv + argc);
    std::string repetitions = "--benchmark_repetitions=5";
    std::string aggregates = "--benchmark_report_aggregates_only=true";
    args.push_back(repetitions.data());
    args.push_back(aggregates.data());
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    MedianCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();

    int status = 0;
    for (const BenchRatio& r : ratios) {
        auto num = collector.seconds.find(r.numerator);
        auto den = collector.seconds.find(r.denominator);
        if (num == collector.seconds.end() || den == collector.seconds.end() || den->second <= 0) {
            std::printf("ratio %s: not measured\n", r.label.c_str());
            status = 1;
            continue;
        }
        std::printf("ratio %s: %.2f\n", r.label.c_str(), num->second / den->second);
    }
    return status;
}
