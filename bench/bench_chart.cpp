// SPDX-License-Identifier: GPL-3.0-or-later
// The error chart alone: one repaint of a chart holding 10^7 points against
// one of a chart holding 10^4 (flat if the view costs per pixel column, not
// per point), and the cost of appending a point against storing it in a
// preallocated vector.

#include "error_chart.h"
#include "ratio_report.h"

#include <QApplication>
#include <QtCharts/QChart>
#include <QtCharts/QLineSeries>

#include <benchmark/benchmark.h>

#include <clocale>
#include <memory>
#include <vector>

namespace {

double ErrorAt(std::int64_t i) {
    return 60.0 / (1.0 + static_cast<double>(i) * 1e-5) + static_cast<double>((i * 7919) % 100) * 0.05;
}

// Draws the chart and paints it at once, as the window does when messages
// are processed after a run has appended points.
void BM_Repaint(benchmark::State& state) {
    ErrorChart chart;
    chart.resize(329, 193);
    chart.show();
    QCoreApplication::processEvents();
    for (std::int64_t i = 0; i < state.range(0); ++i) chart.Append(ErrorAt(i));
    chart.Draw();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        chart.Draw();
        QCoreApplication::processEvents();
        chart.viewport()->repaint();
    }
    state.counters["series points"] = static_cast<double>(chart.Series1()->count());
}
BENCHMARK(BM_Repaint)->Arg(10'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

// The same during a run: points arrived since the last draw, so both axes
// move before the new points are drawn.
void BM_RepaintGrowing(benchmark::State& state) {
    ErrorChart chart;
    chart.resize(329, 193);
    chart.show();
    std::int64_t i = 0;
    for (; i < 100'000; ++i) chart.Append(ErrorAt(i));
    chart.Draw();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        state.PauseTiming();
        for (const std::int64_t end = i + 10'000; i < end; ++i) chart.Append(ErrorAt(i));
        state.ResumeTiming();
        chart.Draw();
        QCoreApplication::processEvents();
        chart.viewport()->repaint();
    }
}
BENCHMARK(BM_RepaintGrowing)->Unit(benchmark::kMillisecond);

constexpr std::int64_t kAppends = 1'000'000;

// The errors to append, computed beforehand so only the appending is timed.
const std::vector<double>& Errors() {
    static const std::vector<double> errors = [] {
        std::vector<double> ys(kAppends);
        for (std::int64_t i = 0; i < kAppends; ++i) ys[static_cast<std::size_t>(i)] = ErrorAt(i);
        return ys;
    }();
    return errors;
}

void BM_AppendChart(benchmark::State& state) {
    auto chart = std::make_unique<ErrorChart>();
    const std::vector<double>& errors = Errors();
    for (auto _ : state) {
        state.PauseTiming();
        chart->Clear();
        state.ResumeTiming();
        for (double y : errors) chart->Append(y);
        benchmark::DoNotOptimize(chart->Store().Count());
    }
}
BENCHMARK(BM_AppendChart)->Unit(benchmark::kMillisecond);

void BM_AppendVector(benchmark::State& state) {
    std::vector<double> points;
    points.reserve(kAppends);
    const std::vector<double>& errors = Errors();
    for (auto _ : state) {
        points.clear();
        for (double y : errors) points.push_back(y);
        benchmark::DoNotOptimize(points.data());
    }
}
BENCHMARK(BM_AppendVector)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Qt took the user's locale; the report's numbers are read by scripts.
    std::setlocale(LC_NUMERIC, "C");
    return RunBenchmarksAndPrintRatios(argc, argv,
                                       {{"repaint 1e7/1e4", "BM_Repaint/10000000", "BM_Repaint/10000"},
                                        {"repaint growing/still 1e5", "BM_RepaintGrowing", "BM_Repaint/10000"},
                                        {"append chart/vector 1e6", "BM_AppendChart", "BM_AppendVector"}});
}
