// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a training run and "Reiniciar" need of the training tab: the chosen
// criterion with its spin edits, the read-outs that keep the totals between
// runs, the two output grids, the error chart, and the progress window
// through which the user can stop a run while messages are processed.

#include "epoch_error_series.h"
#include "error_series.h"
#include "number_table_view.h"

#include <cstdint>

enum class StopCriterion : std::uint8_t {
    CycleCount,  // "Nº Ciclos ="
    LargestError,  // "Error Máx<="
    SmallestError, // "Error Mín<="
};

class TrainingTabView {
public:
    virtual ~TrainingTabView() = default;

    // The criterion whose radio button is checked.
    virtual StopCriterion Criterion() const = 0;
    // Spin edit values as typed (not clamped); a run re-reads the cycle count
    // before every iteration, so it may change while messages are processed.
    virtual std::int32_t CycleCount() const = 0;
    virtual std::int32_t LargestErrorThreshold() const = 0;
    virtual std::int32_t SmallestErrorThreshold() const = 0;
    virtual void SetCycleCount(std::int32_t value) = 0;
    virtual void SetLargestErrorThreshold(std::int32_t value) = 0;
    virtual void SetSmallestErrorThreshold(std::int32_t value) = 0;

    // "Ciclos totales entrenados " and "Tiempo de Entrenamiento " (ms): their
    // fields are the one store of the totals, which are summed over runs.
    virtual std::int64_t TotalCycles() const = 0;
    virtual void SetTotalCycles(std::int64_t value) = 0;
    virtual std::int64_t TrainingTime() const = 0;
    virtual void SetTrainingTime(std::int64_t value) = 0;
    // "Error  Máximo " and "Error  Mínimo " of the last run, in percent.
    virtual void SetLargestError(double value) = 0;
    virtual void SetSmallestError(double value) = 0;
    // "Salidas Esperadas " and "Salidas Obtenidas ": column 1, one row per output.
    virtual NumberTableView& SalidasEsperadas() = 0;
    virtual NumberTableView& SalidasObtenidas() = 0;
    virtual ErrorSeries& Chart() = 0;
    // "Error por época": where a run sends the errors of both sets after its
    // epochs; null while the option is off.
    virtual EpochErrorSeries* EpochErrors() { return nullptr; }
    // "Parar si el error de prueba no mejora en K épocas": K, read once when
    // a run starts; 0 while the option is off.
    virtual std::int32_t EarlyStopEpochs() const { return 0; }

    // The progress window: created, shown and painted before the loop starts;
    // closed and destroyed when the run ends, however it ends.
    virtual void OpenProgress() = 0;
    virtual void CloseProgress() noexcept = 0;
    // Handles every pending window message, the click on "Stop" included.
    virtual void ProcessMessages() = 0;
};
