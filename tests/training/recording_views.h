#pragma once
// Plain recording stand-ins for the window's side of the training library.

#include "data_tab_view.h"
#include "error_series.h"
#include "execution.h"
#include "number_table_view.h"
#include "training_tab_view.h"
#include "work_state.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

using Cell = std::pair<int, int>;  // (column, row)

class RecordingTable : public NumberTableView {
public:
    int columnas = -1;
    int filas = -1;
    std::map<Cell, std::string> textos;
    std::map<Cell, double> numeros;
    int escrituras = 0;  // every call that changes the grid

    void SetColCount(int c) override { columnas = c; ++escrituras; }
    void SetRowCount(int f) override { filas = f; ++escrituras; }
    void SetCells(int c, int f, const std::string& t) override { textos[{c, f}] = t; ++escrituras; }
    void SetFloat(int c, int f, double v) override { numeros[{c, f}] = v; ++escrituras; }
    double GetFloat(int c, int f) override { return numeros[{c, f}]; }
};

class RecordingDataTab : public DataTabView {
public:
    std::array<bool, Fields + 1> habilitados{};
    std::array<long double, Fields + 1> valores{};
    std::int32_t numeroPatron = 0;
    std::int32_t maximoNumeroPatron = 0;
    std::string etiqueta = "Patrón 1";
    RecordingTable rejilla;
    int escrituras = 0;  // field, number and label writes

    RecordingDataTab() { habilitados.fill(true); }
    bool Enabled(int c) const override { return habilitados.at(c); }
    void SetEnabled(int c, bool h) override { habilitados.at(c) = h; ++escrituras; }
    long double Value(int c) const override { return valores.at(c); }
    void SetValue(int c, long double v) override { valores.at(c) = v; ++escrituras; }
    std::int32_t PatternNumber() const override { return numeroPatron; }
    void SetPatternNumber(std::int32_t v) override { numeroPatron = v; ++escrituras; }
    void SetLargestPatternNumber(std::int32_t m) override { maximoNumeroPatron = m; ++escrituras; }
    void SetPatternLabel(const std::string& t) override { etiqueta = t; ++escrituras; }
    NumberTableView& PatternGrid() override { return rejilla; }
};

class RecordingErrorSeries : public ErrorSeries {
public:
    std::vector<double> puntos;

    std::int64_t PointCount() const override { return static_cast<std::int64_t>(puntos.size()); }
    void AddPoint(double y) override { puntos.push_back(y); }
    void Clear() override { puntos.clear(); }
};

class RecordingTrainingTab : public TrainingTabView {
public:
    StopCriterion criterio = StopCriterion::CycleCount;
    std::int32_t ciclos = 1;
    std::int32_t umbralMaximo = 1;
    std::int32_t umbralMinimo = 1;
    std::int64_t ciclosTotales = 0;
    std::int64_t tiempo = 0;
    double errorMaximo = -1.0;
    double errorMinimo = -1.0;
    RecordingTable esperadas, obtenidas;
    RecordingErrorSeries grafica;
    int aperturas = 0;
    int cierres = 0;
    bool progresoAbierto = false;
    // Points the chart held each time messages were processed.
    std::vector<std::size_t> puntosAlProcesar;
    // Runs inside the message processing, as a click on "Stop" would.
    std::function<void()> alProcesar;

    StopCriterion Criterion() const override { return criterio; }
    std::int32_t CycleCount() const override { return ciclos; }
    std::int32_t LargestErrorThreshold() const override { return umbralMaximo; }
    std::int32_t SmallestErrorThreshold() const override { return umbralMinimo; }
    void SetCycleCount(std::int32_t v) override { ciclos = v; }
    void SetLargestErrorThreshold(std::int32_t v) override { umbralMaximo = v; }
    void SetSmallestErrorThreshold(std::int32_t v) override { umbralMinimo = v; }
    std::int64_t TotalCycles() const override { return ciclosTotales; }
    void SetTotalCycles(std::int64_t v) override { ciclosTotales = v; }
    std::int64_t TrainingTime() const override { return tiempo; }
    void SetTrainingTime(std::int64_t v) override { tiempo = v; }
    void SetLargestError(double v) override { errorMaximo = v; }
    void SetSmallestError(double v) override { errorMinimo = v; }
    NumberTableView& SalidasEsperadas() override { return esperadas; }
    NumberTableView& SalidasObtenidas() override { return obtenidas; }
    ErrorSeries& Chart() override { return grafica; }
    void OpenProgress() override { ++aperturas; progresoAbierto = true; }
    void CloseProgress() noexcept override { ++cierres; progresoAbierto = false; }
    void ProcessMessages() override {
        puntosAlProcesar.push_back(grafica.puntos.size());
        if (alProcesar) alProcesar();
    }
};

class RecordingExecutionTab : public ExecutionTabView {
public:
    RecordingTable entradas, salidas;
    std::int32_t decimales = 0;
    mutable int lecturasDecimales = 0;

    NumberTableView& Entradas() override { return entradas; }
    NumberTableView& Salidas() override { return salidas; }
    std::int32_t Decimals() const override { ++lecturasDecimales; return decimales; }
};
