// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plain recording stand-ins for the window's side of the training library.

#include "data_tab_view.h"
#include "error_series.h"
#include "execution.h"
#include "number_table_view.h"
#include "training_tab_view.h"
#include "work_state.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

using Cell = std::pair<int, int>;  // (column, row)

class RecordingTable : public NumberTableView {
public:
    int columns = -1;
    int rows = -1;
    std::map<Cell, std::string> texts;
    std::map<Cell, double> numbers;
    int writes = 0;  // every call that changes the grid

    void SetColCount(int c) override { columns = c; ++writes; }
    void SetRowCount(int f) override { rows = f; ++writes; }
    void SetCells(int c, int f, const std::string& t) override { texts[{c, f}] = t; ++writes; }
    void SetFloat(int c, int f, double v) override { numbers[{c, f}] = v; ++writes; }
    double GetFloat(int c, int f) override { return numbers[{c, f}]; }
};

class RecordingDataTab : public DataTabView {
public:
    std::array<bool, Fields + 1> enabled{};
    std::array<long double, Fields + 1> values{};
    std::int32_t patternNumber = 0;
    std::int32_t largestPatternNumber = 0;
    std::string label = "Patrón 1";
    RecordingTable grid;
    int writes = 0;  // field, number and label writes

    RecordingDataTab() { enabled.fill(true); }
    bool Enabled(int c) const override { return enabled.at(c); }
    void SetEnabled(int c, bool h) override { enabled.at(c) = h; ++writes; }
    long double Value(int c) const override { return values.at(c); }
    void SetValue(int c, long double v) override { values.at(c) = v; ++writes; }
    std::int32_t PatternNumber() const override { return patternNumber; }
    void SetPatternNumber(std::int32_t v) override { patternNumber = v; ++writes; }
    void SetLargestPatternNumber(std::int32_t m) override { largestPatternNumber = m; ++writes; }
    void SetPatternLabel(const std::string& t) override { label = t; ++writes; }
    NumberTableView& PatternGrid() override { return grid; }
};

class RecordingErrorSeries : public ErrorSeries {
public:
    std::vector<double> points;

    std::int64_t PointCount() const override { return static_cast<std::int64_t>(points.size()); }
    void AddPoints(std::span<const double> ys) override { points.insert(points.end(), ys.begin(), ys.end()); }
    void Clear() override { points.clear(); }
};

class RecordingEpochErrors : public EpochErrorSeries {
public:
    std::vector<EpochErrorPoint> points;
    void AddPoint(const EpochErrorPoint& point) override { points.push_back(point); }
};

class RecordingTrainingTab : public TrainingTabView {
public:
    StopCriterion criterion = StopCriterion::CycleCount;
    std::int32_t cycles = 1;
    std::int32_t largestThreshold = 1;
    std::int32_t smallestThreshold = 1;
    std::int64_t totalCycles = 0;
    std::int64_t time = 0;
    double largestError = -1.0;
    double smallestError = -1.0;
    RecordingTable expected, obtained;
    RecordingErrorSeries chart;
    RecordingEpochErrors epochErrors;
    bool epochErrorsOn = false;     // "Error por época"
    std::int32_t earlyStopEpochs = 0;  // K of the early stop; 0: off
    int opens = 0;
    int closes = 0;
    bool progressOpen = false;
    // Points the chart held each time messages were processed.
    std::vector<std::size_t> pointsWhenProcessing;
    // Runs inside the message processing, as a click on "Stop" would.
    std::function<void()> onProcess;

    StopCriterion Criterion() const override { return criterion; }
    std::int32_t CycleCount() const override { return cycles; }
    std::int32_t LargestErrorThreshold() const override { return largestThreshold; }
    std::int32_t SmallestErrorThreshold() const override { return smallestThreshold; }
    void SetCycleCount(std::int32_t v) override { cycles = v; }
    void SetLargestErrorThreshold(std::int32_t v) override { largestThreshold = v; }
    void SetSmallestErrorThreshold(std::int32_t v) override { smallestThreshold = v; }
    std::int64_t TotalCycles() const override { return totalCycles; }
    void SetTotalCycles(std::int64_t v) override { totalCycles = v; }
    std::int64_t TrainingTime() const override { return time; }
    void SetTrainingTime(std::int64_t v) override { time = v; }
    void SetLargestError(double v) override { largestError = v; }
    void SetSmallestError(double v) override { smallestError = v; }
    NumberTableView& SalidasEsperadas() override { return expected; }
    NumberTableView& SalidasObtenidas() override { return obtained; }
    ErrorSeries& Chart() override { return chart; }
    EpochErrorSeries* EpochErrors() override { return epochErrorsOn ? &epochErrors : nullptr; }
    std::int32_t EarlyStopEpochs() const override { return earlyStopEpochs; }
    void OpenProgress() override { ++opens; progressOpen = true; }
    void CloseProgress() noexcept override { ++closes; progressOpen = false; }
    void ProcessMessages() override {
        pointsWhenProcessing.push_back(chart.points.size());
        if (onProcess) onProcess();
    }
};

class RecordingExecutionTab : public ExecutionTabView {
public:
    RecordingTable inputs, outputs;
    std::int32_t decimals = 0;
    mutable int decimalReads = 0;

    NumberTableView& Entradas() override { return inputs; }
    NumberTableView& Salidas() override { return outputs; }
    std::int32_t Decimals() const override { ++decimalReads; return decimals; }
};
