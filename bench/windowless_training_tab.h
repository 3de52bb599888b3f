// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the benchmarks of whole training runs share: the XOR table and a
// training view with no window behind it, whose results go nowhere and whose
// chart points go to the sink given.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "training_tab_view.h"
#include "work_state.h"

// XOR coded as the help text advises, 0.1 for false and 0.9 for true.
inline void LoadXor(WorkState& state) {
    const double patterns[4][3] = {{0.1, 0.1, 0.1}, {0.1, 0.9, 0.9}, {0.9, 0.1, 0.9}, {0.9, 0.9, 0.1}};
    for (int p = 1; p <= 4; ++p) {
        state.EntradasPatrones[p][1] = patterns[p - 1][0];
        state.EntradasPatrones[p][2] = patterns[p - 1][1];
        state.SalidasPatrones[p][1] = patterns[p - 1][2];
    }
    state.NumeroPatrones = 4;
    state.RedCreada = true;
}

class SilentTable : public NumberTableView {
public:
    void SetColCount(int) override {}
    void SetRowCount(int) override {}
    void SetCells(int, int, const std::string&) override {}
    void SetFloat(int, int, double value) override { benchmark::DoNotOptimize(value); }
    double GetFloat(int, int) override { return 0.0; }
};

// A cycle-count run of the given length, with "Error por época" sent to
// `epochErrors` when one is given, and early stopping after K epochs when
// K is not 0.
class WindowlessTrainingTab : public TrainingTabView {
public:
    WindowlessTrainingTab(ErrorSeries& chart, std::int32_t cycles, EpochErrorSeries* epochErrors = nullptr,
                          std::int32_t earlyStopEpochs = 0)
        : chart_(chart), epochErrors_(epochErrors), cycles_(cycles), earlyStopEpochs_(earlyStopEpochs) {}

    StopCriterion Criterion() const override { return StopCriterion::CycleCount; }
    std::int32_t CycleCount() const override { return cycles_; }
    std::int32_t LargestErrorThreshold() const override { return 1; }
    std::int32_t SmallestErrorThreshold() const override { return 1; }
    void SetCycleCount(std::int32_t) override {}
    void SetLargestErrorThreshold(std::int32_t) override {}
    void SetSmallestErrorThreshold(std::int32_t) override {}
    std::int64_t TotalCycles() const override { return 0; }
    void SetTotalCycles(std::int64_t value) override { benchmark::DoNotOptimize(value); }
    std::int64_t TrainingTime() const override { return 0; }
    void SetTrainingTime(std::int64_t) override {}
    void SetLargestError(double value) override { benchmark::DoNotOptimize(value); }
    void SetSmallestError(double value) override { benchmark::DoNotOptimize(value); }
    NumberTableView& SalidasEsperadas() override { return table_; }
    NumberTableView& SalidasObtenidas() override { return table_; }
    ErrorSeries& Chart() override { return chart_; }
    EpochErrorSeries* EpochErrors() override { return epochErrors_; }
    std::int32_t EarlyStopEpochs() const override { return earlyStopEpochs_; }
    void OpenProgress() override {}
    void CloseProgress() noexcept override {}
    void ProcessMessages() override {}

private:
    SilentTable table_;
    ErrorSeries& chart_;
    EpochErrorSeries* epochErrors_;
    std::int32_t cycles_;
    std::int32_t earlyStopEpochs_;
};
