// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The error chart as a training run sees it.

#include "error_chart.h"
#include "error_series.h"

class ErrorChartSink : public ErrorSeries {
public:
    explicit ErrorChartSink(ErrorChart& chart) : chart_(chart) {}

    std::int64_t PointCount() const override { return chart_.Store().Count(); }
    void AddPoints(std::span<const double> ys) override {
        if (ys.empty()) return;
        last_ = ys.back();
        chart_.Append(ys);
    }
    void Clear() override { chart_.Clear(); }

    // The error of the latest point appended.
    double Last() const { return last_; }

private:
    ErrorChart& chart_;
    double last_ = 0;
};
