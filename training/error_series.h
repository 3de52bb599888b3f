// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a training run sends the error of each iteration: the error chart.
// A run appends one point per iteration, in batches, and draws nothing
// itself; the chart repaints when the window's messages are processed.

#include <cstdint>
#include <span>

class ErrorSeries {
public:
    virtual ~ErrorSeries() = default;
    // Points held since the last clear.
    virtual std::int64_t PointCount() const = 0;
    // Stores the points after every other one, in order, each at x = the
    // points held before it; must be cheap and must not draw.
    virtual void AddPoints(std::span<const double> ys) = 0;
    virtual void Clear() = 0;
};
