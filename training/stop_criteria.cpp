// SPDX-License-Identifier: GPL-3.0-or-later
#include "stop_criteria.h"

#include "integer_text.h"
#include "random_generator.h"
#include "tick_counter.h"

#include <span>
#include <string>

namespace {

// Messages are processed this often; more often would slow a run, less
// often would leave the windows frozen for longer.
constexpr std::int64_t kIterationsPerMessagePump = 10000;

}  // namespace

TrainingLoop::TrainingLoop(WorkState& state, TRedNeuronal& network, TrainingTabView& view)
    : state_(state), network_(network), view_(view), chart_(view.Chart()) {
    for (std::int32_t p = 1; p <= state.NumeroPatrones; ++p)
        for (std::int32_t k = 1; k <= network.NeuronasCapaSalida(); ++k)
            factors_[p][k] = PercentFactor(state.SalidasPatrones[p][k]);
}

// The count can change only while messages are processed, so it is read
// again after each time they are.
void TrainingLoop::RunForCycles() {
    std::int64_t cycle = 1;
    std::int64_t cycles = view_.CycleCount();
    while (cycles >= cycle && !finished_) {
        ++iterations_;
        if (iterations_ % kIterationsPerMessagePump == 0) {
            ProcessMessages();
            cycles = view_.CycleCount();
        }
        if (state_.PararEntrenamiento) cycle = cycles;
        Iteration();
        ++cycle;
    }
}

void TrainingLoop::RunUntilErrorBelow(std::int32_t threshold) {
    const double limit = threshold;
    double error = limit;
    while (error >= limit && !finished_) {
        if (iterations_ % kIterationsPerMessagePump == 0) ProcessMessages();
        const bool last = state_.PararEntrenamiento;
        ++iterations_;
        error = Iteration();
        if (last) break;
    }
}

void TrainingLoop::WriteStatistics(std::uint32_t startTicks) {
    SendPoints();
    view_.SetLargestError(largest_);
    view_.SetSmallestError(smallest_);
    NumberTableView& expected = view_.SalidasEsperadas();
    NumberTableView& obtained = view_.SalidasObtenidas();
    for (std::int32_t j = 1; j <= network_.NeuronasCapaSalida(); ++j) {
        expected.SetFloat(1, j, network_.SalidasEsperadas[j]);
        obtained.SetFloat(1, j, network_.SalidasObtenidas[j]);
    }
    const std::string heading = done_ > 0 ? "Patrón " + IntegerText(lastPattern_) : std::string();
    expected.SetCells(1, 0, heading);
    obtained.SetCells(1, 0, heading);
    const std::uint32_t ms = TickCounter::Elapsed(startTicks, TickCounter::GetTickCount());
    view_.SetTrainingTime(view_.TrainingTime() + ms);
    view_.SetTotalCycles(view_.TotalCycles() + done_);
}

double TrainingLoop::Iteration() {
    const double r = RandomGenerator::Draw();
    // r·NumeroPatrones is never negative, so the conversion's truncation is the floor.
    const std::int32_t p = static_cast<std::int32_t>(r * state_.NumeroPatrones) + 1;
    const double error = IterationOn(p, [this] { network_.EntrenarPatron(); });
    if (monitor_ && monitor_->AfterIteration()) finished_ = true;
    return error;
}

void TrainingLoop::SendPoints() {
    chart_.AddPoints(std::span(pending_.data(), pendingCount_));
    pendingCount_ = 0;
}

void TrainingLoop::ProcessMessages() {
    SendPoints();
    view_.ProcessMessages();
}
