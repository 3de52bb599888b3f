// SPDX-License-Identifier: GPL-3.0-or-later
#include "training_run.h"

#include "column_table.h"
#include "iteration_error.h"
#include "network.h"
#include "network_snapshot.h"
#include "random_generator.h"
#include "stop_criteria.h"
#include "tick_counter.h"

#include <algorithm>
#include <cmath>

namespace {

// Runs `body`, then writes the statistics of the iterations it completed,
// also when it throws.
template <class Body>
void WithStatistics(TrainingLoop& loop, std::uint32_t start, Body body) {
    try {
        body();
    } catch (...) {
        loop.WriteStatistics(start);
        throw;
    }
    loop.WriteStatistics(start);
}

// Closes the progress window on every way out of a run.
class ProgressCloser {
public:
    explicit ProgressCloser(TrainingTabView& view) : view_(view) {}
    ~ProgressCloser() { view_.CloseProgress(); }
    ProgressCloser(const ProgressCloser&) = delete;
    ProgressCloser& operator=(const ProgressCloser&) = delete;

private:
    TrainingTabView& view_;
};

}  // namespace

TrainingOutcome Train(WorkState& state, TRedNeuronal& network, TrainingTabView& view) {
    state.PararEntrenamiento = false;
    if (!state.RedCreada) return {};
    // An empty table would train on whatever row 1 once held.
    if (state.NumeroPatrones < 1 || state.NumeroPatrones > kMaxPatterns) return {};
    state.unsaved.weights = true;

    view.OpenProgress();
    const ProgressCloser closer(view);
    RandomGenerator::StartSequence();
    const std::uint32_t start = TickCounter::GetTickCount();
    TrainingLoop loop(state, network, view);
    const bool cycles = view.Criterion() == StopCriterion::CycleCount;
    EpochMonitor monitor(state, network, view.EpochErrors(), view.EarlyStopEpochs(),
                         cycles ? std::max<std::int64_t>(view.CycleCount(), 0) : 0);
    loop.Watch(monitor);
    WithStatistics(loop, start, [&] {
        switch (view.Criterion()) {
        case StopCriterion::CycleCount: loop.RunForCycles(); break;
        case StopCriterion::LargestError: loop.RunUntilErrorBelow(view.LargestErrorThreshold()); break;
        case StopCriterion::SmallestError: loop.RunUntilErrorBelow(view.SmallestErrorThreshold()); break;
        }
    });
    return monitor.Outcome();
}

WorkedStep ComputeWorkedStepOnPattern(const WorkState& state, const TRedNeuronal& network, std::int32_t pattern) {
    const auto p = static_cast<std::size_t>(pattern);
    return ComputeWorkedStep(TakeSnapshot(network), std::span(state.EntradasPatrones[p]).subspan(1),
                             std::span(state.SalidasPatrones[p]).subspan(1));
}

void ApplyWorkedStep(WorkState& state, TRedNeuronal& network, std::int32_t pattern, const WorkedStep& step,
                     TrainingTabView& view) {
    if (!state.RedCreada || pattern < 1 || pattern > std::min(state.NumeroPatrones, kMaxPatterns)) return;
    state.unsaved.weights = true;
    const std::uint32_t start = TickCounter::GetTickCount();
    TrainingLoop loop(state, network, view);
    WithStatistics(loop, start, [&] {
        loop.IterationOn(pattern, [&] {
            // The forward pass leaves the neurons' inputs and outputs and
            // SalidasObtenidas as the step's own forward pass does.
            network.Propagar();
            for (const WeightChange& c : step.weights) {
                TNeurona& neuron = (c.layer == StepLayer::Hidden ? network.CapaOculta : network.CapaSalida).Neuronas[c.neuron];
                neuron.Pesos[static_cast<std::size_t>(c.index)] = c.newWeight;
                // With momentum the step keeps each change for the next one.
                if (step.momentum != 0.0) neuron.previousChanges[static_cast<std::size_t>(c.index)] = c.change;
            }
        });
    });
}

void ResetTraining(TRedNeuronal& network, TrainingTabView& view) {
    view.Chart().Clear();
    {
        const RandomGenerator::WeightsSequence weights(RandomGenerator::WeightsSequence::Start::Continue);
        network.InicializarPesos();
    }
    view.SetTotalCycles(0);
    view.SetCycleCount(1);
    view.SetLargestErrorThreshold(1);
    view.SetSmallestErrorThreshold(1);
    view.SetTrainingTime(0);
    view.SetLargestError(0.0);
    view.SetSmallestError(0.0);
    for (NumberTableView* grid : {&view.SalidasEsperadas(), &view.SalidasObtenidas()}) {
        ClearColumnRows(*grid, "Salida", network.NeuronasCapaSalida());
        grid->SetCells(1, 0, "");  // no pattern's outputs any more
    }
}
