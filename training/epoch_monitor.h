// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a training run does at the end of its epochs: the errors of both sets
// for "Error por época", and the early stop "Parar si el error de prueba no
// mejora en K épocas". An epoch is as many iterations as training patterns,
// counted from the run's start. Every error comes from a snapshot: the
// network's state (weights, outputs, the random generator) is never touched,
// except that an early stop puts the best weights back.

#include "epoch_error_series.h"
#include "network.h"
#include "network_snapshot.h"
#include "set_error.h"
#include "work_state.h"

#include <cstdint>
#include <limits>

// At most this many epochs of a run of known length have their errors sent;
// a run of unknown length sends this many at each spacing (training_run.h).
inline constexpr std::int64_t kEpochErrorsPerRun = 1000;

// How a run ended, as far as early stopping goes.
struct TrainingOutcome {
    // Ended because the test error had not improved for K epochs; the
    // network then took back the weights of bestIteration.
    bool stoppedEarly = false;
    // With early stopping on: the iteration of this run after which the
    // test error was lowest (0: the weights the run started with), and that error.
    std::int64_t bestIteration = 0;
    double bestTestError = std::numeric_limits<double>::quiet_NaN();
};

class EpochMonitor {
public:
    // series: where the errors go, or null. earlyStopEpochs: K, or 0 for no
    // early stop (also without test patterns). plannedIterations: the run's
    // length when known, else 0.
    EpochMonitor(const WorkState& state, TRedNeuronal& network, EpochErrorSeries* series, std::int32_t earlyStopEpochs,
                 std::int64_t plannedIterations);

    // After each iteration of the run: true when the run must end now.
    bool AfterIteration() {
        if (--untilEpochEnd_ > 0) [[likely]]
            return false;
        return EndOfEpoch();
    }

    const TrainingOutcome& Outcome() const { return outcome_; }

private:
    bool EndOfEpoch();
    // The test set's error for the network as it is now, from current_.
    double TestError();

    const WorkState& state_;
    TRedNeuronal& network_;
    EpochErrorSeries* series_;
    std::int32_t patience_;        // K; 0 without early stop
    std::int64_t epochLength_;     // NumeroPatrones
    std::int64_t untilEpochEnd_;   // iterations left in this epoch; never 0 when nothing is watched
    std::int64_t epoch_ = 0;
    std::int64_t spacing_ = 1;     // errors go to the series every spacing_-th epoch
    bool spacingGrows_ = false;    // doubles after each kEpochErrorsPerRun points (unknown length)
    std::int64_t sent_ = 0;
    std::int64_t bestEpoch_ = 0;
    NetworkSnapshot current_, best_;
    SetErrors errors_;
    TrainingOutcome outcome_;
};
