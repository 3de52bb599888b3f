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
void WithStatistics(TrainingLoop& corrida, std::uint32_t inicio, Body body) {
    try {
        body();
    } catch (...) {
        corrida.WriteStatistics(inicio);
        throw;
    }
    corrida.WriteStatistics(inicio);
}

// Closes the progress window on every way out of a run.
class ProgressCloser {
public:
    explicit ProgressCloser(TrainingTabView& vista) : view_(vista) {}
    ~ProgressCloser() { view_.CloseProgress(); }
    ProgressCloser(const ProgressCloser&) = delete;
    ProgressCloser& operator=(const ProgressCloser&) = delete;

private:
    TrainingTabView& view_;
};

}  // namespace

void Train(WorkState& estado, TRedNeuronal& red, TrainingTabView& vista) {
    estado.PararEntrenamiento = false;
    if (!estado.RedCreada) return;
    // An empty table would train on whatever row 1 once held.
    if (estado.NumeroPatrones < 1 || estado.NumeroPatrones > kMaxPatterns) return;

    vista.OpenProgress();
    const ProgressCloser cierre(vista);
    RandomGenerator::SeedFromClock();
    const std::uint32_t inicio = TickCounter::GetTickCount();
    TrainingLoop corrida(estado, red, vista);
    WithStatistics(corrida, inicio, [&] {
        switch (vista.Criterion()) {
        case StopCriterion::CycleCount: corrida.RunForCycles(); break;
        case StopCriterion::LargestError: corrida.RunUntilErrorBelow(vista.LargestErrorThreshold()); break;
        case StopCriterion::SmallestError: corrida.RunUntilErrorBelow(vista.SmallestErrorThreshold()); break;
        }
    });
}

WorkedStep ComputeWorkedStepOnPattern(const WorkState& estado, const TRedNeuronal& red, std::int32_t patron) {
    const auto p = static_cast<std::size_t>(patron);
    return ComputeWorkedStep(TakeSnapshot(red), std::span(estado.EntradasPatrones[p]).subspan(1),
                             std::span(estado.SalidasPatrones[p]).subspan(1));
}

void ApplyWorkedStep(WorkState& estado, TRedNeuronal& red, std::int32_t patron, const WorkedStep& paso,
                     TrainingTabView& vista) {
    if (!estado.RedCreada || patron < 1 || patron > std::min(estado.NumeroPatrones, kMaxPatterns)) return;
    const std::uint32_t inicio = TickCounter::GetTickCount();
    TrainingLoop corrida(estado, red, vista);
    WithStatistics(corrida, inicio, [&] {
        corrida.IterationOn(patron, [&] {
            // The forward pass leaves the neurons' inputs and outputs and
            // SalidasObtenidas as the step's own forward pass does.
            red.Propagar();
            for (const WeightChange& c : paso.weights) {
                TCapaNeuronal& capa = c.layer == StepLayer::Hidden ? red.CapaOculta : red.CapaSalida;
                capa.Neuronas[c.neuron].Pesos[static_cast<std::size_t>(c.index)] = c.newWeight;
            }
        });
    });
}

void ResetTraining(TRedNeuronal& red, TrainingTabView& vista) {
    vista.Chart().Clear();
    red.InicializarPesos();
    vista.SetTotalCycles(0);
    vista.SetCycleCount(1);
    vista.SetLargestErrorThreshold(1);
    vista.SetSmallestErrorThreshold(1);
    vista.SetTrainingTime(0);
    vista.SetLargestError(0.0);
    vista.SetSmallestError(0.0);
    ClearColumnRows(vista.SalidasEsperadas(), "Salida", red.NeuronasCapaSalida());
    ClearColumnRows(vista.SalidasObtenidas(), "Salida", red.NeuronasCapaSalida());
}
