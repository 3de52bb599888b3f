// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A training run without the window: the network file loaded as the load
// buttons load it, trained as "Entrenar" trains it, its weights saved as
// "Guardar Red Entrenada" saves them, and each iteration's error written as
// the chart plots it.

#include "batch_request.h"

#include <cstdint>
#include <optional>
#include <string>

// What a terminal shows of a run while it goes on.
class TrainingProgress {
public:
    virtual ~TrainingProgress() = default;
    // `total` iterations to come, 0 when the criterion does not say.
    virtual void Start(std::int64_t total) = 0;
    // Called once every 10000 iterations, as the window processes messages.
    virtual void Update(std::int64_t done) = 0;
    virtual void Finish(std::int64_t done) = 0;
};

struct TrainingSummary {
    std::int64_t iterations = 0;
    std::int64_t milliseconds = 0;
    double largest = 0.0;     // "Error  Máximo "
    double smallest = 0.0;    // "Error  Mínimo "
    // With test patterns: their mean squared error after the run.
    std::optional<double> testError;
};

// Under the order's seed, or the clock without one: loads the file, trains,
// then puts the errors file and the saved weights in place. Both are checked
// before the run, and neither is created or changed when anything fails.
// Throws ProgramError with the window's message; a file without patterns
// gives "No hay ningún patrón". `progress` may be null.
TrainingSummary TrainNetworkFile(const TrainingOrder& order, char decimalSeparator, TrainingProgress* progress);

// The summary as printed: one "name: value" line each.
std::string SummaryText(const TrainingSummary& summary, char decimalSeparator);
