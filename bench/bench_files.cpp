// The largest files the program writes: an untrained file of 100 patterns
// with 32 inputs and 32 outputs (6406 lines) and a trained file of a
// 32-32-32 network (2117 lines). Each is built and read through the file
// functions, and the same values are rendered and parsed with bare
// std::to_chars / std::from_chars as the baseline. A file of 200 MB of empty
// lines is read against the largest untrained file.

#include "ratio_report.h"

#include "file_access.h"
#include "line_splitter.h"
#include "network.h"
#include "network_files.h"
#include "program_error.h"
#include "ren_file.h"
#include "rna_file.h"
#include "work_state.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

struct Datos {
    TRedNeuronal red;
    WorkState estado;
    std::string rna;
    std::string ren;
    std::vector<double> valoresRna;
    std::vector<double> valoresRen;

    Datos() {
        PrepareStartUpNetwork(red);
        red.SetNeuronasCapaOculta(32);
        red.SetNeuronasCapaSalida(32);
        red.SetNumeroEntradas(32);
        std::mt19937_64 azar(7);
        std::uniform_real_distribution<double> uniforme(-1, 1);
        for (TCapaNeuronal* capa : {&red.CapaOculta, &red.CapaSalida}) {
            for (int j = 1; j <= 32; ++j) {
                for (std::size_t k = 0; k <= 32; ++k) {
                    capa->Neuronas[j].Pesos[k] = uniforme(azar) * 4;
                    valoresRen.push_back(capa->Neuronas[j].Pesos[k]);
                }
            }
        }
        estado.NumeroPatrones = 100;
        for (int p = 1; p <= 100; ++p) {
            for (int i = 1; i <= 32; ++i) {
                estado.EntradasPatrones[p][i] = uniforme(azar);
                estado.SalidasPatrones[p][i] = uniforme(azar);
                valoresRna.push_back(estado.EntradasPatrones[p][i]);
                valoresRna.push_back(estado.SalidasPatrones[p][i]);
            }
        }
        rna = JoinLines(RnaLines(red, PatternsToSave(estado, red), 0, 0, ','));
        ren = JoinLines(RenLines(red, 0, 0, ','));
    }
};

Datos& Shared() {
    static Datos datos;
    return datos;
}

void EscribirRna(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(JoinLines(RnaLines(Shared().red, PatternsToSave(Shared().estado, Shared().red), 0, 0, ',')));
}
BENCHMARK(EscribirRna);

void EscribirRen(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(JoinLines(RenLines(Shared().red, 0, 0, ',')));
}
BENCHMARK(EscribirRen);

// Shortest round-trip form, one CR LF per value, into one string.
void BaselineWrite(benchmark::State& state, const std::vector<double>& valores) {
    for (auto _ : state) {
        std::string texto;
        texto.reserve(valores.size() * 26);
        char buffer[32];
        for (double v : valores) {
            auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
            texto.append(buffer, r.ptr);
            texto += "\r\n";
        }
        benchmark::DoNotOptimize(texto);
    }
}
void BaseEscribirRna(benchmark::State& state) { BaselineWrite(state, Shared().valoresRna); }
void BaseEscribirRen(benchmark::State& state) { BaselineWrite(state, Shared().valoresRen); }
BENCHMARK(BaseEscribirRna);
BENCHMARK(BaseEscribirRen);

void LeerRnaTexto(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(DescribeRna(Shared().rna));
}
BENCHMARK(LeerRnaTexto);

void LeerRenTexto(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(DescribeRen(Shared().ren));
}
BENCHMARK(LeerRenTexto);

// Split at CR LF and parse every line with std::from_chars, no checks; the
// decimal comma is read as the point it stands for by skipping to it.
void BaselineRead(benchmark::State& state, const std::string& texto) {
    for (auto _ : state) {
        std::vector<double> valores;
        valores.reserve(6500);
        std::size_t inicio = 0;
        while (inicio < texto.size()) {
            std::size_t fin = texto.find('\r', inicio);
            std::string linea = texto.substr(inicio, fin - inicio);
            for (char& c : linea) {
                if (c == ',') c = '.';
            }
            double v = 0;
            std::from_chars(linea.data(), linea.data() + linea.size(), v);
            valores.push_back(v);
            inicio = fin + 2;
        }
        benchmark::DoNotOptimize(valores);
    }
}
void BaseLeerRna(benchmark::State& state) { BaselineRead(state, Shared().rna); }
void BaseLeerRen(benchmark::State& state) { BaselineRead(state, Shared().ren); }
BENCHMARK(BaseLeerRna);
BENCHMARK(BaseLeerRen);

// The atomic save (new file, fsync, rename) against a plain overwrite.
std::string BenchPath() { return (std::filesystem::temp_directory_path() / "perceptlab_bench_files.rna").string(); }

void GuardarRna(benchmark::State& state) {
    const std::vector<std::string> lineas = RnaLines(Shared().red, PatternsToSave(Shared().estado, Shared().red), 0, 0, ',');
    for (auto _ : state) SaveLines(BenchPath(), lineas);
    std::filesystem::remove(BenchPath());
}
BENCHMARK(GuardarRna)->Unit(benchmark::kMicrosecond);

void BaseSobrescribir(benchmark::State& state) {
    const std::string texto = JoinLines(RnaLines(Shared().red, PatternsToSave(Shared().estado, Shared().red), 0, 0, ','));
    for (auto _ : state) {
        std::FILE* f = std::fopen(BenchPath().c_str(), "wb");
        std::fwrite(texto.data(), 1, texto.size(), f);
        std::fclose(f);
    }
    std::filesystem::remove(BenchPath());
}
BENCHMARK(BaseSobrescribir)->Unit(benchmark::kMicrosecond);

// Reading from disk: the largest untrained file against 200 MB of empty
// lines, which a reader that took the whole file would hold in full.
std::string PathInTemp(const char* nombre) { return (std::filesystem::temp_directory_path() / nombre).string(); }

void LeerRnaFichero(benchmark::State& state) {
    const std::string ruta = PathInTemp("perceptlab_bench_leer.rna");
    SaveFileSafely(ruta, Shared().rna);
    for (auto _ : state) benchmark::DoNotOptimize(ReadRna(ruta));
    std::filesystem::remove(ruta);
}
BENCHMARK(LeerRnaFichero)->Unit(benchmark::kMicrosecond);

void LeerLineasVacias(benchmark::State& state) {
    const std::string ruta = PathInTemp("perceptlab_bench_vacias.rna");
    {
        const std::string megabyte(1 << 20, '\n');
        std::FILE* f = std::fopen(ruta.c_str(), "wb");
        for (int i = 0; i < 200; ++i) std::fwrite(megabyte.data(), 1, megabyte.size(), f);
        std::fclose(f);
    }
    for (auto _ : state) {
        try {
            benchmark::DoNotOptimize(ReadRna(ruta));
        } catch (const ProgramError& error) {
            benchmark::DoNotOptimize(error.what());
        }
    }
    std::filesystem::remove(ruta);
}
BENCHMARK(LeerLineasVacias)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return RunBenchmarksAndPrintRatios(argc, argv,
                                       {
                                           {"escribir .rna/to_chars", "EscribirRna", "BaseEscribirRna"},
                                           {"escribir .ren/to_chars", "EscribirRen", "BaseEscribirRen"},
                                           {"leer .rna/from_chars", "LeerRnaTexto", "BaseLeerRna"},
                                           {"leer .ren/from_chars", "LeerRenTexto", "BaseLeerRen"},
                                           {"guardar atomico/sobrescribir", "GuardarRna", "BaseSobrescribir"},
                                           {"leer 200MB lineas vacias/leer .rna", "LeerLineasVacias", "LeerRnaFichero"},
                                       });
}
