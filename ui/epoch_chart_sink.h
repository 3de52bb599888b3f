// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Error por época" as a training run sees the chart: each point goes to the
// chart at its iteration number, counted on from where the run began.

#include "epoch_error_series.h"
#include "error_chart.h"

#include <cstdint>

class EpochChartSink : public EpochErrorSeries {
public:
    explicit EpochChartSink(ErrorChart& chart) : chart_(chart) {}

    // A run starts: its iteration k is the chart's iteration start + k − 1,
    // as it is for the run's curve of every iteration.
    void BeginRun() { start_ = chart_.NextIteration(); }
    void AddPoint(const EpochErrorPoint& point) override {
        chart_.AppendEpochErrors(point.epoch, start_ + point.iteration - 1, point.training, point.test);
    }

private:
    ErrorChart& chart_;
    std::int64_t start_ = 0;
};
