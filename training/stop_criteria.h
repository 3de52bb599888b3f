// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The loop of a training run and the criteria that end it: a number of
// cycles, or the latest iteration's error strictly below a threshold, each
// cut short by a stop request seen when messages are processed.

#include "epoch_monitor.h"
#include "error_series.h"
#include "iteration_error.h"
#include "network.h"
#include "training_tab_view.h"
#include "work_state.h"

#include <array>
#include <cstddef>
#include <cstdint>

class TrainingLoop {
public:
    TrainingLoop(WorkState& state, TRedNeuronal& network, TrainingTabView& view);

    // Goes on while the cycle count is not reached; the count is read again
    // whenever messages have been processed, where the user may change it.
    // Both loops also end when the monitor asks.
    void RunForCycles();

    // Goes on while the latest error is not strictly below the threshold.
    void RunUntilErrorBelow(std::int32_t threshold);

    // From now on each drawn iteration is followed by the monitor's look at
    // the epoch; a run ends when it asks.
    void Watch(EpochMonitor& monitor) { monitor_ = &monitor; }

    // The run's results, from the iterations completed; the chart then holds
    // every error. The output grids say whose outputs they show: "Patrón p"
    // heads their values, or nothing after a run that completed none.
    void WriteStatistics(std::uint32_t startTicks);

    // Pattern p put into the network, trained by `train` and measured;
    // returns its error.
    template <class Step>
    double IterationOn(std::int32_t p, Step train) {
        const std::int32_t inputs = network_.NumeroEntradas();
        const std::int32_t outputs = network_.NeuronasCapaSalida();
        for (std::int32_t i = 1; i <= inputs; ++i) network_.Entradas[i] = state_.EntradasPatrones[p][i];
        for (std::int32_t k = 1; k <= outputs; ++k) network_.SalidasEsperadas[k] = state_.SalidasPatrones[p][k];
        // Leaves the outputs of before the weight change, so the error is the
        // pattern's as it was presented.
        train();
        const double error = IterationError(network_.SalidasEsperadas, network_.SalidasObtenidas, outputs,
                                            [&](std::int32_t k) { return factors_[p][k]; });
        lastPattern_ = p;
        pending_[pendingCount_] = error;
        if (++pendingCount_ == pending_.size()) SendPoints();
        if (error > largest_) largest_ = error;
        if (error < smallest_) smallest_ = error;
        ++done_;
        return error;
    }

private:
    // One pattern drawn, trained once and measured; returns its error.
    double Iteration();
    // Passes the errors waiting in pending_ on to the chart.
    void SendPoints();
    // The window's messages, with the chart holding every error so far.
    void ProcessMessages();

    WorkState& state_;
    TRedNeuronal& network_;
    TrainingTabView& view_;
    ErrorSeries& chart_;
    std::int64_t iterations_ = 0;  // as the loops count them, to time the message processing
    std::int64_t done_ = 0;       // completed, which an iteration that throws is not
    EpochMonitor* monitor_ = nullptr;
    bool finished_ = false;       // the monitor ended the run
    std::int32_t lastPattern_ = 0;  // of the latest completed iteration
    double largest_ = 0.0;
    double smallest_ = 1000.0;
    PatternTable factors_;  // PercentFactor of each pattern's expected outputs
    // Errors reach the chart in batches: one call per iteration would be a
    // share of a window run's time.
    std::array<double, 256> pending_{};
    std::size_t pendingCount_ = 0;
};
