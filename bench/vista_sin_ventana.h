#pragma once
// What the benchmarks of whole training runs share: the XOR table and a
// training view with no window behind it, whose results go nowhere and whose
// chart points go to the sink given.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "estado_trabajo.h"
#include "vista_entrenamiento.h"

// XOR coded as the help text advises, 0.1 for false and 0.9 for true.
inline void CargarXor(EstadoTrabajo& estado) {
    const double patrones[4][3] = {{0.1, 0.1, 0.1}, {0.1, 0.9, 0.9}, {0.9, 0.1, 0.9}, {0.9, 0.9, 0.1}};
    for (int p = 1; p <= 4; ++p) {
        estado.EntradasPatrones[p][1] = patrones[p - 1][0];
        estado.EntradasPatrones[p][2] = patrones[p - 1][1];
        estado.SalidasPatrones[p][1] = patrones[p - 1][2];
    }
    estado.NumeroPatrones = 4;
    estado.RedCreada = true;
}

class TablaMuda : public VistaTabla {
public:
    void SetColCount(int) override {}
    void SetRowCount(int) override {}
    void SetCells(int, int, const std::string&) override {}
    void SetFloat(int, int, double valor) override { benchmark::DoNotOptimize(valor); }
    double GetFloat(int, int) override { return 0.0; }
};

// A cycle-count run of the given length.
class VistaSinVentana : public VistaEntrenamiento {
public:
    VistaSinVentana(GraficaErrores& grafica, std::int32_t ciclos) : grafica_(grafica), ciclos_(ciclos) {}

    CriterioParada Criterio() const override { return CriterioParada::NumeroCiclos; }
    std::int32_t NumeroCiclos() const override { return ciclos_; }
    std::int32_t UmbralErrorMaximo() const override { return 1; }
    std::int32_t UmbralErrorMinimo() const override { return 1; }
    void SetNumeroCiclos(std::int32_t) override {}
    void SetUmbralErrorMaximo(std::int32_t) override {}
    void SetUmbralErrorMinimo(std::int32_t) override {}
    std::int64_t CiclosTotales() const override { return 0; }
    void SetCiclosTotales(std::int64_t valor) override { benchmark::DoNotOptimize(valor); }
    std::int64_t TiempoEntrenamiento() const override { return 0; }
    void SetTiempoEntrenamiento(std::int64_t) override {}
    void SetErrorMaximo(double valor) override { benchmark::DoNotOptimize(valor); }
    void SetErrorMinimo(double valor) override { benchmark::DoNotOptimize(valor); }
    VistaTabla& SalidasEsperadas() override { return tabla_; }
    VistaTabla& SalidasObtenidas() override { return tabla_; }
    GraficaErrores& Grafica() override { return grafica_; }
    void AbrirProgreso() override {}
    void CerrarProgreso() noexcept override {}
    void ProcesarMensajes() override {}

private:
    TablaMuda tabla_;
    GraficaErrores& grafica_;
    std::int32_t ciclos_;
};
