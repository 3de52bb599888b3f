// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a training run sends the error of each iteration: the error chart.
// A run appends one point per iteration and draws nothing itself; the chart
// repaints when the window's messages are processed.

#include <cstdint>

class ErrorSeries {
public:
    virtual ~ErrorSeries() = default;
    // Points held since the last clear.
    virtual std::int64_t PointCount() const = 0;
    // Stores a point after every other one, at x = the points held before
    // it; must be cheap and must not draw.
    virtual void AddPoint(double y) = 0;
    virtual void Clear() = 0;
};
