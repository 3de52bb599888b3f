// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A training run ("Entrenar"), one worked step applied as a training
// iteration ("Aplicar Paso") and the reset of training ("Reiniciar").

#include "epoch_monitor.h"
#include "training_tab_view.h"
#include "work_state.h"
#include "worked_step.h"

#include <cstdint>

class TRedNeuronal;

// Trains the network on patterns drawn at random from the table, one
// backpropagation step per iteration, until the chosen criterion holds or a
// stop is requested, appending each iteration's error to the chart. Ends by
// writing the run's statistics and closing the progress window, also when an
// iteration throws; the error then goes on to the caller. Refused, with no
// progress window, when there is no network or the table is empty.
//
// Messages are processed once every 10000 iterations; a stop seen there ends
// a cycle-count run after that iteration (10000·k in all) and an error run
// after the next one (10000·k + 1). Counting is 64-bit, so every cycle count
// a field can hold makes exactly that many iterations.
//
// With "Error por época" on (view.EpochErrors()), epoch e of the run (its
// iterations up to e·NumeroPatrones) sends both sets' errors when e is a
// multiple of the spacing: for a cycle-count run of C cycles (the count as
// the run starts), ⌈E/1000⌉ with E = ⌊C/NumeroPatrones⌋ epochs, so at most
// 1000 points; for an error run, whose length is unknown, 1 for its first
// 1000 points, then doubled after every 1000 more. With early stopping on (view.EarlyStopEpochs() = K > 0)
// and test patterns present, the test error is measured after every epoch;
// when K epochs pass without one strictly below the best so far (the
// starting weights' included), the run ends there and the network takes
// back the best weights, forgetting its previous changes. The outcome says
// so and after which iteration the best came.
TrainingOutcome Train(WorkState& state, TRedNeuronal& network, TrainingTabView& view);

// The worked step of the network on pattern `pattern` (1..NumeroPatrones) of the table.
WorkedStep ComputeWorkedStepOnPattern(const WorkState& state, const TRedNeuronal& network, std::int32_t pattern);

// Applies `step`, the step ComputeWorkedStep gives for the network on
// pattern `pattern` of the table, as one training iteration on that pattern:
// the network ends as EntrenarPatron would leave it, and the chart, the
// totals and the statistics as a run of one cycle would. Nothing happens when
// there is no network or no such pattern.
void ApplyWorkedStep(WorkState& state, TRedNeuronal& network, std::int32_t pattern, const WorkedStep& step,
                     TrainingTabView& view);

// Clears the chart, gives the network new random weights and puts the
// counters, criteria values, error fields and output grids back to their
// start. Keeps the pattern table and the chosen criterion.
void ResetTraining(TRedNeuronal& network, TrainingTabView& view);
