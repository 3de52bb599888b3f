#include "training_run.h"

#include "random_generator.h"
#include "tick_counter.h"
#include "iteration_error.h"
#include "network_snapshot.h"
#include "network.h"
#include "texto_decimal.h"

#include <algorithm>
#include <cmath>

namespace {

// Messages are processed this often; more often would slow a run, less
// often would leave the windows frozen for longer.
constexpr std::int64_t kIterationsPerMessagePump = 10000;

class TrainingLoop {
public:
    TrainingLoop(WorkState& estado, TRedNeuronal& red, TrainingTabView& vista)
        : state_(estado), network_(red), view_(vista), chart_(vista.Chart()) {}

    void RunForCycles() {
        std::int64_t ciclo = 1;
        while (view_.CycleCount() >= ciclo) {
            ++iterations_;
            if (iterations_ % kIterationsPerMessagePump == 0) view_.ProcessMessages();
            if (state_.PararEntrenamiento) ciclo = view_.CycleCount();
            Iteration();
            ++ciclo;
        }
    }

    // Goes on while the latest error is not strictly below the threshold.
    void RunUntilErrorBelow(std::int32_t umbralEntero) {
        const double umbral = umbralEntero;
        double error = umbral;
        while (error >= umbral) {
            if (iterations_ % kIterationsPerMessagePump == 0) view_.ProcessMessages();
            const bool ultima = state_.PararEntrenamiento;
            ++iterations_;
            error = Iteration();
            if (ultima) break;
        }
    }

    // The run's results, from the iterations completed.
    void WriteStatistics(std::uint32_t inicio) {
        view_.SetLargestError(largest_);
        view_.SetSmallestError(smallest_);
        NumberTableView& esperadas = view_.SalidasEsperadas();
        NumberTableView& obtenidas = view_.SalidasObtenidas();
        for (std::int32_t j = 1; j <= network_.NeuronasCapaSalida(); ++j) {
            esperadas.SetFloat(1, j, network_.SalidasEsperadas[j]);
            obtenidas.SetFloat(1, j, network_.SalidasObtenidas[j]);
        }
        const std::uint32_t ms = TickCounter::Elapsed(inicio, TickCounter::GetTickCount());
        view_.SetTrainingTime(view_.TrainingTime() + ms);
        view_.SetTotalCycles(view_.TotalCycles() + done_);
    }

    // Pattern p put into the network, trained by `entrenar` and measured;
    // returns its error.
    template <class Paso>
    double IteracionSobre(std::int32_t p, Paso entrenar) {
        const std::int32_t entradas = network_.NumeroEntradas();
        const std::int32_t salidas = network_.NeuronasCapaSalida();
        for (std::int32_t i = 1; i <= entradas; ++i) network_.Entradas[i] = state_.EntradasPatrones[p][i];
        for (std::int32_t k = 1; k <= salidas; ++k) network_.SalidasEsperadas[k] = state_.SalidasPatrones[p][k];
        // Leaves the outputs of before the weight change, so the error is the
        // pattern's as it was presented.
        entrenar();
        const double error = IterationError(network_.SalidasEsperadas, network_.SalidasObtenidas, salidas);
        chart_.AddPoint(static_cast<double>(chart_.PointCount()), error);
        if (error > largest_) largest_ = error;
        if (error < smallest_) smallest_ = error;
        ++done_;
        return error;
    }

private:
    // One pattern drawn, trained once and measured; returns its error.
    double Iteration() {
        const double r = RandomGenerator::Draw();
        const std::int32_t p = static_cast<std::int32_t>(std::floor(r * state_.NumeroPatrones)) + 1;
        return IteracionSobre(p, [this] { network_.EntrenarPatron(); });
    }

    WorkState& state_;
    TRedNeuronal& network_;
    TrainingTabView& view_;
    ErrorSeries& chart_;
    std::int64_t iterations_ = 0;  // as the loops count them, to time the message processing
    std::int64_t done_ = 0;       // completed, which an iteration that throws is not
    double largest_ = 0.0;
    double smallest_ = 1000.0;
};

// Runs `cuerpo`, then writes the statistics of the iterations it completed,
// also when it throws.
template <class Cuerpo>
void ConEstadisticas(TrainingLoop& corrida, std::uint32_t inicio, Cuerpo cuerpo) {
    try {
        cuerpo();
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
    if (estado.NumeroPatrones < 1 || estado.NumeroPatrones > WorkState::MaxPatrones) return;

    vista.OpenProgress();
    const ProgressCloser cierre(vista);
    RandomGenerator::SeedFromClock();
    const std::uint32_t inicio = TickCounter::GetTickCount();
    TrainingLoop corrida(estado, red, vista);
    ConEstadisticas(corrida, inicio, [&] {
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
    if (!estado.RedCreada || patron < 1 || patron > std::min(estado.NumeroPatrones, WorkState::MaxPatrones)) return;
    const std::uint32_t inicio = TickCounter::GetTickCount();
    TrainingLoop corrida(estado, red, vista);
    ConEstadisticas(corrida, inicio, [&] {
        corrida.IteracionSobre(patron, [&] {
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
    NumberTableView& esperadas = vista.SalidasEsperadas();
    NumberTableView& obtenidas = vista.SalidasObtenidas();
    for (std::int32_t i = 1; i <= red.NeuronasCapaSalida(); ++i) {
        const std::string texto = "Salida " + TextoDecimal(i);
        esperadas.SetCells(0, i, texto);
        obtenidas.SetCells(0, i, texto);
        esperadas.SetFloat(1, i, 0.0);
        obtenidas.SetFloat(1, i, 0.0);
    }
}
