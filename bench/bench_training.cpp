// Time of a whole training run of 10^6 iterations on XOR against 10^6 bare
// EntrenarPatron calls on the same pattern draws: what the run adds per
// iteration (error, chart point, largest and smallest, counting, the cycle
// count read back every time) should be lost in the training step itself.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "aleatorio.h"
#include "entrenamiento.h"
#include "estado_trabajo.h"
#include "ratio_report.h"
#include "red_neuronal.h"
#include "vista_entrenamiento.h"

// Every allocation of the process is counted, so a run can show it makes
// none of its own once the chart's storage is reserved.
static std::int64_t asignaciones = 0;

void* operator new(std::size_t bytes) {
    ++asignaciones;
    if (void* p = std::malloc(bytes == 0 ? 1 : bytes)) return p;
    throw std::bad_alloc();
}
// GCC takes the free() here for one of a pointer from the built-in new.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

namespace {

constexpr std::int32_t Iteraciones = 1'000'000;

// Stores the points like the window's chart: in a vector reserved once.
class GraficaEnMemoria : public GraficaErrores {
public:
    GraficaEnMemoria() { puntos_.reserve(Iteraciones); }
    std::int64_t NumeroPuntos() const override { return static_cast<std::int64_t>(puntos_.size()); }
    void AnadirPunto(double x, double y) override { puntos_.emplace_back(x, y); }
    void Borrar() override { puntos_.clear(); }

private:
    std::vector<std::pair<double, double>> puntos_;
};

class TablaMuda : public VistaTabla {
public:
    void SetColCount(int) override {}
    void SetRowCount(int) override {}
    void SetCells(int, int, const std::string&) override {}
    void SetFloat(int, int, double valor) override { benchmark::DoNotOptimize(valor); }
    double GetFloat(int, int) override { return 0.0; }
};

class VistaBanco : public VistaEntrenamiento {
public:
    CriterioParada Criterio() const override { return CriterioParada::NumeroCiclos; }
    std::int32_t NumeroCiclos() const override { return Iteraciones; }
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
    VistaTabla& SalidasEsperadas() override { return tabla; }
    VistaTabla& SalidasObtenidas() override { return tabla; }
    GraficaErrores& Grafica() override { return grafica; }
    void AbrirProgreso() override {}
    void CerrarProgreso() noexcept override {}
    void ProcesarMensajes() override {}

    TablaMuda tabla;
    GraficaEnMemoria grafica;
};

// XOR coded as the help text advises, 0.1 for false and 0.9 for true, on a
// 2-2-1 sigmoid network. The clock is frozen, so the initial weights and the
// pattern draws are the same in both benchmarks.
struct Banco {
    TRedNeuronal red;
    EstadoTrabajo estado;

    Banco() {
        Aleatorio::FijarReloj([] { return HoraDelDia{12, 0, 0, 0}; });
        PrepararRedInicial(red);
        const double patrones[4][3] = {{0.1, 0.1, 0.1}, {0.1, 0.9, 0.9}, {0.9, 0.1, 0.9}, {0.9, 0.9, 0.1}};
        for (int p = 1; p <= 4; ++p) {
            estado.EntradasPatrones[p][1] = patrones[p - 1][0];
            estado.EntradasPatrones[p][2] = patrones[p - 1][1];
            estado.SalidasPatrones[p][1] = patrones[p - 1][2];
        }
        estado.NumeroPatrones = 4;
        estado.RedCreada = true;
    }
    ~Banco() { Aleatorio::FijarReloj({}); }
};

void BM_Corrida(benchmark::State& state) {
    Banco banco;
    VistaBanco vista;
    for (auto _ : state) {
        state.PauseTiming();
        banco.red.InicializarPesos();
        vista.grafica.Borrar();
        state.ResumeTiming();
        Entrenar(banco.estado, banco.red, vista);
    }
}
BENCHMARK(BM_Corrida)->Unit(benchmark::kMillisecond);

void BM_EntrenarPatron(benchmark::State& state) {
    Banco banco;
    TRedNeuronal& red = banco.red;
    const EstadoTrabajo& estado = banco.estado;
    for (auto _ : state) {
        state.PauseTiming();
        red.InicializarPesos();
        state.ResumeTiming();
        Aleatorio::SembrarDesdeReloj();
        for (std::int32_t t = 0; t < Iteraciones; ++t) {
            const auto p = static_cast<std::size_t>(std::floor(Aleatorio::Sacar() * estado.NumeroPatrones)) + 1;
            for (std::size_t i = 1; i <= 2; ++i) red.Entradas[i] = estado.EntradasPatrones[p][i];
            red.SalidasEsperadas[1] = estado.SalidasPatrones[p][1];
            red.EntrenarPatron();
            benchmark::DoNotOptimize(red.SalidasObtenidas[1]);
        }
    }
}
BENCHMARK(BM_EntrenarPatron)->Unit(benchmark::kMillisecond);

}  // namespace

// Allocations made by one whole run, the chart's storage being reserved.
std::int64_t AsignacionesDeUnaCorrida() {
    Banco banco;
    VistaBanco vista;
    const std::int64_t antes = asignaciones;
    Entrenar(banco.estado, banco.red, vista);
    return asignaciones - antes;
}

int main(int argc, char** argv) {
    const int estado =
        RunBenchmarksAndPrintRatios(argc, argv, {{"run/EntrenarPatron 2-2-1", "BM_Corrida", "BM_EntrenarPatron"}});
    std::printf("memory allocations in a run of 10^6 iterations: %lld\n",
                static_cast<long long>(AsignacionesDeUnaCorrida()));
    return estado;
}
