// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a training run sends "Error por época": after an epoch (as many
// iterations as training patterns), the mean squared error ½·Σ(d − y)² of
// each set. At most about a thousand such points come from one run
// (training_run.h says which epochs), so the window may keep them all.

#include <cstdint>

struct EpochErrorPoint {
    std::int64_t epoch = 0;      // epochs this run has completed, from 1
    std::int64_t iteration = 0;  // iterations this run has completed: epoch × NumeroPatrones
    double training = 0;         // mean over the training patterns; NaN where a pass overflows
    double test = 0;             // mean over the test patterns; NaN with no test patterns
};

class EpochErrorSeries {
public:
    virtual ~EpochErrorSeries() = default;
    // Stores one point after the others; must be cheap and must not draw:
    // the chart repaints when the window's messages are processed.
    virtual void AddPoint(const EpochErrorPoint& point) = 0;
};
