#include "entrenamiento.h"

#include "aleatorio.h"
#include "contador_ticks.h"
#include "error_iteracion.h"
#include "network_snapshot.h"
#include "red_neuronal.h"
#include "texto_decimal.h"

#include <algorithm>
#include <cmath>

namespace {

// Messages are processed this often; more often would slow a run, less
// often would leave the windows frozen for longer.
constexpr std::int64_t kIteracionesPorBombeo = 10000;

class Corrida {
public:
    Corrida(EstadoTrabajo& estado, TRedNeuronal& red, VistaEntrenamiento& vista)
        : estado_(estado), red_(red), vista_(vista), grafica_(vista.Grafica()) {}

    void PorCiclos() {
        std::int64_t ciclo = 1;
        while (vista_.NumeroCiclos() >= ciclo) {
            ++iteraciones_;
            if (iteraciones_ % kIteracionesPorBombeo == 0) vista_.ProcesarMensajes();
            if (estado_.PararEntrenamiento) ciclo = vista_.NumeroCiclos();
            Iteracion();
            ++ciclo;
        }
    }

    // Goes on while the latest error is not strictly below the threshold.
    void PorError(std::int32_t umbralEntero) {
        const double umbral = umbralEntero;
        double error = umbral;
        while (error >= umbral) {
            if (iteraciones_ % kIteracionesPorBombeo == 0) vista_.ProcesarMensajes();
            const bool ultima = estado_.PararEntrenamiento;
            ++iteraciones_;
            error = Iteracion();
            if (ultima) break;
        }
    }

    // The run's results, from the iterations completed.
    void EscribirEstadisticas(std::uint32_t inicio) {
        vista_.SetErrorMaximo(mayor_);
        vista_.SetErrorMinimo(menor_);
        VistaTabla& esperadas = vista_.SalidasEsperadas();
        VistaTabla& obtenidas = vista_.SalidasObtenidas();
        for (std::int32_t j = 1; j <= red_.NeuronasCapaSalida(); ++j) {
            esperadas.SetFloat(1, j, red_.SalidasEsperadas[j]);
            obtenidas.SetFloat(1, j, red_.SalidasObtenidas[j]);
        }
        const std::uint32_t ms = ContadorTicks::Transcurrido(inicio, ContadorTicks::GetTickCount());
        vista_.SetTiempoEntrenamiento(vista_.TiempoEntrenamiento() + ms);
        vista_.SetCiclosTotales(vista_.CiclosTotales() + hechas_);
    }

    // Pattern p put into the network, trained by `entrenar` and measured;
    // returns its error.
    template <class Paso>
    double IteracionSobre(std::int32_t p, Paso entrenar) {
        const std::int32_t entradas = red_.NumeroEntradas();
        const std::int32_t salidas = red_.NeuronasCapaSalida();
        for (std::int32_t i = 1; i <= entradas; ++i) red_.Entradas[i] = estado_.EntradasPatrones[p][i];
        for (std::int32_t k = 1; k <= salidas; ++k) red_.SalidasEsperadas[k] = estado_.SalidasPatrones[p][k];
        // Leaves the outputs of before the weight change, so the error is the
        // pattern's as it was presented.
        entrenar();
        const double error = ErrorIteracion(red_.SalidasEsperadas, red_.SalidasObtenidas, salidas);
        grafica_.AnadirPunto(static_cast<double>(grafica_.NumeroPuntos()), error);
        if (error > mayor_) mayor_ = error;
        if (error < menor_) menor_ = error;
        ++hechas_;
        return error;
    }

private:
    // One pattern drawn, trained once and measured; returns its error.
    double Iteracion() {
        const double r = Aleatorio::Sacar();
        const std::int32_t p = static_cast<std::int32_t>(std::floor(r * estado_.NumeroPatrones)) + 1;
        return IteracionSobre(p, [this] { red_.EntrenarPatron(); });
    }

    EstadoTrabajo& estado_;
    TRedNeuronal& red_;
    VistaEntrenamiento& vista_;
    GraficaErrores& grafica_;
    std::int64_t iteraciones_ = 0;  // as the loops count them, to time the message processing
    std::int64_t hechas_ = 0;       // completed, which an iteration that throws is not
    double mayor_ = 0.0;
    double menor_ = 1000.0;
};

// Runs `cuerpo`, then writes the statistics of the iterations it completed,
// also when it throws.
template <class Cuerpo>
void ConEstadisticas(Corrida& corrida, std::uint32_t inicio, Cuerpo cuerpo) {
    try {
        cuerpo();
    } catch (...) {
        corrida.EscribirEstadisticas(inicio);
        throw;
    }
    corrida.EscribirEstadisticas(inicio);
}

// Closes the progress window on every way out of a run.
class CierreProgreso {
public:
    explicit CierreProgreso(VistaEntrenamiento& vista) : vista_(vista) {}
    ~CierreProgreso() { vista_.CerrarProgreso(); }
    CierreProgreso(const CierreProgreso&) = delete;
    CierreProgreso& operator=(const CierreProgreso&) = delete;

private:
    VistaEntrenamiento& vista_;
};

}  // namespace

void Entrenar(EstadoTrabajo& estado, TRedNeuronal& red, VistaEntrenamiento& vista) {
    estado.PararEntrenamiento = false;
    if (!estado.RedCreada) return;
    // An empty table would train on whatever row 1 once held.
    if (estado.NumeroPatrones < 1 || estado.NumeroPatrones > EstadoTrabajo::MaxPatrones) return;

    vista.AbrirProgreso();
    const CierreProgreso cierre(vista);
    Aleatorio::SembrarDesdeReloj();
    const std::uint32_t inicio = ContadorTicks::GetTickCount();
    Corrida corrida(estado, red, vista);
    ConEstadisticas(corrida, inicio, [&] {
        switch (vista.Criterio()) {
        case CriterioParada::NumeroCiclos: corrida.PorCiclos(); break;
        case CriterioParada::ErrorMaximo: corrida.PorError(vista.UmbralErrorMaximo()); break;
        case CriterioParada::ErrorMinimo: corrida.PorError(vista.UmbralErrorMinimo()); break;
        }
    });
}

WorkedStep ComputeWorkedStepOnPattern(const EstadoTrabajo& estado, const TRedNeuronal& red, std::int32_t patron) {
    const auto p = static_cast<std::size_t>(patron);
    return ComputeWorkedStep(TakeSnapshot(red), std::span(estado.EntradasPatrones[p]).subspan(1),
                             std::span(estado.SalidasPatrones[p]).subspan(1));
}

void ApplyWorkedStep(EstadoTrabajo& estado, TRedNeuronal& red, std::int32_t patron, const WorkedStep& paso,
                     VistaEntrenamiento& vista) {
    if (!estado.RedCreada || patron < 1 || patron > std::min(estado.NumeroPatrones, EstadoTrabajo::MaxPatrones)) return;
    const std::uint32_t inicio = ContadorTicks::GetTickCount();
    Corrida corrida(estado, red, vista);
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

void Reiniciar(TRedNeuronal& red, VistaEntrenamiento& vista) {
    vista.Grafica().Borrar();
    red.InicializarPesos();
    vista.SetCiclosTotales(0);
    vista.SetNumeroCiclos(1);
    vista.SetUmbralErrorMaximo(1);
    vista.SetUmbralErrorMinimo(1);
    vista.SetTiempoEntrenamiento(0);
    vista.SetErrorMaximo(0.0);
    vista.SetErrorMinimo(0.0);
    VistaTabla& esperadas = vista.SalidasEsperadas();
    VistaTabla& obtenidas = vista.SalidasObtenidas();
    for (std::int32_t i = 1; i <= red.NeuronasCapaSalida(); ++i) {
        const std::string texto = "Salida " + TextoDecimal(i);
        esperadas.SetCells(0, i, texto);
        obtenidas.SetCells(0, i, texto);
        esperadas.SetFloat(1, i, 0.0);
        obtenidas.SetFloat(1, i, 0.0);
    }
}
