#pragma once
// What a training run and "Reiniciar" need of the training tab: the chosen
// criterion with its spin edits, the read-outs that keep the totals between
// runs, the two output grids, the error chart, and the progress window
// through which the user can stop a run while messages are processed.

#include "grafica_errores.h"
#include "vista_tabla.h"

#include <cstdint>

enum class CriterioParada : std::uint8_t {
    NumeroCiclos,  // "Nº Ciclos ="
    ErrorMaximo,   // "Error Máx<="
    ErrorMinimo,   // "Error Mín<="
};

class VistaEntrenamiento {
public:
    virtual ~VistaEntrenamiento() = default;

    // The criterion whose radio button is checked.
    virtual CriterioParada Criterio() const = 0;
    // Spin edit values as typed (not clamped); a run re-reads the cycle count
    // before every iteration, so it may change while messages are processed.
    virtual std::int32_t NumeroCiclos() const = 0;
    virtual std::int32_t UmbralErrorMaximo() const = 0;
    virtual std::int32_t UmbralErrorMinimo() const = 0;
    virtual void SetNumeroCiclos(std::int32_t valor) = 0;
    virtual void SetUmbralErrorMaximo(std::int32_t valor) = 0;
    virtual void SetUmbralErrorMinimo(std::int32_t valor) = 0;

    // "Ciclos totales entrenados " and "Tiempo de Entrenamiento " (ms): their
    // fields are the one store of the totals, which are summed over runs.
    virtual std::int64_t CiclosTotales() const = 0;
    virtual void SetCiclosTotales(std::int64_t valor) = 0;
    virtual std::int64_t TiempoEntrenamiento() const = 0;
    virtual void SetTiempoEntrenamiento(std::int64_t valor) = 0;
    // "Error  Máximo " and "Error  Mínimo " of the last run, in percent.
    virtual void SetErrorMaximo(double valor) = 0;
    virtual void SetErrorMinimo(double valor) = 0;
    // "Salidas Esperadas " and "Salidas Obtenidas ": column 1, one row per output.
    virtual VistaTabla& SalidasEsperadas() = 0;
    virtual VistaTabla& SalidasObtenidas() = 0;
    virtual GraficaErrores& Grafica() = 0;

    // The progress window: created, shown and painted before the loop starts;
    // closed and destroyed when the run ends, however it ends.
    virtual void AbrirProgreso() = 0;
    virtual void CerrarProgreso() noexcept = 0;
    // Handles every pending window message, the click on "Stop" included.
    virtual void ProcesarMensajes() = 0;
};
