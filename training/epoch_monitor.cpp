// SPDX-License-Identifier: GPL-3.0-or-later
#include "epoch_monitor.h"

#include "pattern_set.h"

#include <algorithm>
#include <cmath>

namespace {

// A number betters NaN, the error of a pass that overflowed.
bool Betters(double error, double best) { return error < best || (std::isnan(best) && !std::isnan(error)); }

}  // namespace

EpochMonitor::EpochMonitor(const WorkState& state, TRedNeuronal& network, EpochErrorSeries* series,
                           std::int32_t earlyStopEpochs, std::int64_t plannedIterations)
    : state_(state),
      network_(network),
      series_(series),
      patience_(TestPatterns(state).count > 0 ? std::max(earlyStopEpochs, 0) : 0),
      epochLength_(std::max(TrainingPatterns(state).count, 1)),
      untilEpochEnd_(series_ || patience_ > 0 ? epochLength_ : std::numeric_limits<std::int64_t>::max()) {
    // A run of known length sends every spacing-th of its whole epochs, at
    // most kEpochErrorsPerRun; one of unknown length sends epochs 1..1000,
    // then every 2nd up to 3000, every 4th up to 7000, and so on.
    if (plannedIterations > 0) {
        const std::int64_t epochs = plannedIterations / epochLength_;
        spacing_ = std::max<std::int64_t>(1, (epochs + kEpochErrorsPerRun - 1) / kEpochErrorsPerRun);
    } else {
        spacingGrows_ = true;
    }
    if (patience_ > 0) {
        // The weights the run starts with are the first to beat.
        TakeSnapshot(network_, current_);
        outcome_.bestTestError = TestError();
        best_ = current_;
    }
}

double EpochMonitor::TestError() { return errors_.MeanSquaredError(current_, TestPatterns(state_)); }

bool EpochMonitor::EndOfEpoch() {
    untilEpochEnd_ = epochLength_;
    ++epoch_;
    const bool send = series_ && epoch_ % spacing_ == 0;
    if (!send && patience_ == 0) return false;
    TakeSnapshot(network_, current_);
    const double test = TestError();
    if (send) {
        series_->AddPoint(
            {epoch_, epoch_ * epochLength_, errors_.MeanSquaredError(current_, TrainingPatterns(state_)), test});
        if (spacingGrows_ && ++sent_ % kEpochErrorsPerRun == 0) spacing_ *= 2;
    }
    if (patience_ == 0) return false;
    if (Betters(test, outcome_.bestTestError)) {
        outcome_.bestTestError = test;
        outcome_.bestIteration = epoch_ * epochLength_;
        bestEpoch_ = epoch_;
        best_ = current_;  // the same shape every time: no allocation
        return false;
    }
    if (epoch_ - bestEpoch_ < patience_) return false;
    RestoreWeights(best_, network_);
    outcome_.stoppedEarly = true;
    return true;
}
