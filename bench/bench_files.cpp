// SPDX-License-Identifier: GPL-3.0-or-later
// The largest files the program writes: an untrained file of 100 patterns
// with 32 inputs and 32 outputs (6406 lines) and a trained file of a
// 32-32-32 network (2117 lines). Each is built and read through the file
// functions, and the same values are rendered and parsed with bare
// std::to_chars / std::from_chars as the baseline. A file of 200 MB of empty
// lines is read against the largest untrained file. The same 100 patterns
// of 64 columns are exported to and imported from CSV against the untrained
// file's writing and reading.

#include "ratio_report.h"

#include "csv_patterns.h"
#include "file_access.h"
#include "line_splitter.h"
#include "network.h"
#include "network_files.h"
#include "pattern_edits.h"
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

struct Data {
    TRedNeuronal network;
    WorkState state;
    std::string rna;
    std::string ren;
    std::vector<double> rnaValues;
    std::vector<double> renValues;

    Data() {
        PrepareStartUpNetwork(network);
        network.SetNeuronasCapaOculta(32);
        network.SetNeuronasCapaSalida(32);
        network.SetNumeroEntradas(32);
        std::mt19937_64 random(7);
        std::uniform_real_distribution<double> uniform(-1, 1);
        for (TCapaNeuronal* layer : {&network.CapaOculta, &network.CapaSalida}) {
            for (int j = 1; j <= 32; ++j) {
                for (std::size_t k = 0; k <= 32; ++k) {
                    layer->Neuronas[j].Pesos[k] = uniform(random) * 4;
                    renValues.push_back(layer->Neuronas[j].Pesos[k]);
                }
            }
        }
        state.NumeroPatrones = 100;
        for (int p = 1; p <= 100; ++p) {
            for (int i = 1; i <= 32; ++i) {
                state.EntradasPatrones[p][i] = uniform(random);
                state.SalidasPatrones[p][i] = uniform(random);
                rnaValues.push_back(state.EntradasPatrones[p][i]);
                rnaValues.push_back(state.SalidasPatrones[p][i]);
            }
        }
        rna = JoinLines(RnaLines(network, PatternsToSave(state, network), 0, 0, ','));
        ren = JoinLines(RenLines(network, 0, 0, ','));
    }
};

Data& Shared() {
    static Data data;
    return data;
}

void WriteRna(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(JoinLines(RnaLines(Shared().network, PatternsToSave(Shared().state, Shared().network), 0, 0, ',')));
}
BENCHMARK(WriteRna);

void WriteRen(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(JoinLines(RenLines(Shared().network, 0, 0, ',')));
}
BENCHMARK(WriteRen);

void ExportCsv(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(CsvPatternText(StoredPatterns(Shared().state, Shared().network), 32, 32, ','));
}
BENCHMARK(ExportCsv);

void ImportCsv(benchmark::State& state) {
    const std::string text = CsvPatternText(StoredPatterns(Shared().state, Shared().network), 32, 32, ',');
    for (auto _ : state) benchmark::DoNotOptimize(ReadPatternText(text, 32, 32, '.'));
}
BENCHMARK(ImportCsv);

// Shortest round-trip form, one CR LF per value, into one string.
void BaselineWrite(benchmark::State& state, const std::vector<double>& values) {
    for (auto _ : state) {
        std::string text;
        text.reserve(values.size() * 26);
        char buffer[32];
        for (double v : values) {
            auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
            text.append(buffer, r.ptr);
            text += "\r\n";
        }
        benchmark::DoNotOptimize(text);
    }
}
void BaselineWriteRna(benchmark::State& state) { BaselineWrite(state, Shared().rnaValues); }
void BaselineWriteRen(benchmark::State& state) { BaselineWrite(state, Shared().renValues); }
BENCHMARK(BaselineWriteRna);
BENCHMARK(BaselineWriteRen);

void ReadRnaText(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(DescribeRna(Shared().rna));
}
BENCHMARK(ReadRnaText);

void ReadRenText(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(DescribeRen(Shared().ren));
}
BENCHMARK(ReadRenText);

// Split at CR LF and parse every line with std::from_chars, no checks; the
// decimal comma is read as the point it stands for by skipping to it.
void BaselineRead(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        std::vector<double> values;
        values.reserve(6500);
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find('\r', start);
            std::string line = text.substr(start, end - start);
            for (char& c : line) {
                if (c == ',') c = '.';
            }
            double v = 0;
            std::from_chars(line.data(), line.data() + line.size(), v);
            values.push_back(v);
            start = end + 2;
        }
        benchmark::DoNotOptimize(values);
    }
}
void BaselineReadRna(benchmark::State& state) { BaselineRead(state, Shared().rna); }
void BaselineReadRen(benchmark::State& state) { BaselineRead(state, Shared().ren); }
BENCHMARK(BaselineReadRna);
BENCHMARK(BaselineReadRen);

// The atomic save (new file, fsync, rename) against a plain overwrite.
std::string BenchPath() { return (std::filesystem::temp_directory_path() / "perceptlab_bench_files.rna").string(); }

void SaveRna(benchmark::State& state) {
    const std::vector<std::string> lines = RnaLines(Shared().network, PatternsToSave(Shared().state, Shared().network), 0, 0, ',');
    for (auto _ : state) SaveLines(BenchPath(), lines);
    std::filesystem::remove(BenchPath());
}
BENCHMARK(SaveRna)->Unit(benchmark::kMicrosecond);

void BaselineOverwrite(benchmark::State& state) {
    const std::string text = JoinLines(RnaLines(Shared().network, PatternsToSave(Shared().state, Shared().network), 0, 0, ','));
    for (auto _ : state) {
        std::FILE* f = std::fopen(BenchPath().c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    std::filesystem::remove(BenchPath());
}
BENCHMARK(BaselineOverwrite)->Unit(benchmark::kMicrosecond);

// Reading from disk: the largest untrained file against 200 MB of empty
// lines, which a reader that took the whole file would hold in full.
std::string PathInTemp(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

void ReadRnaFile(benchmark::State& state) {
    const std::string path = PathInTemp("perceptlab_bench_leer.rna");
    SaveFileSafely(path, Shared().rna);
    for (auto _ : state) benchmark::DoNotOptimize(ReadRna(path));
    std::filesystem::remove(path);
}
BENCHMARK(ReadRnaFile)->Unit(benchmark::kMicrosecond);

void ReadEmptyLines(benchmark::State& state) {
    const std::string path = PathInTemp("perceptlab_bench_vacias.rna");
    {
        const std::string megabyte(1 << 20, '\n');
        std::FILE* f = std::fopen(path.c_str(), "wb");
        for (int i = 0; i < 200; ++i) std::fwrite(megabyte.data(), 1, megabyte.size(), f);
        std::fclose(f);
    }
    for (auto _ : state) {
        try {
            benchmark::DoNotOptimize(ReadRna(path));
        } catch (const ProgramError& error) {
            benchmark::DoNotOptimize(error.what());
        }
    }
    std::filesystem::remove(path);
}
BENCHMARK(ReadEmptyLines)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return RunBenchmarksAndPrintRatios(argc, argv,
                                       {
                                           {"escribir .rna/to_chars", "WriteRna", "BaselineWriteRna"},
                                           {"escribir .ren/to_chars", "WriteRen", "BaselineWriteRen"},
                                           {"leer .rna/from_chars", "ReadRnaText", "BaselineReadRna"},
                                           {"leer .ren/from_chars", "ReadRenText", "BaselineReadRen"},
                                           {"guardar atomico/sobrescribir", "SaveRna", "BaselineOverwrite"},
                                           {"leer 200MB lineas vacias/leer .rna", "ReadEmptyLines", "ReadRnaFile"},
                                           {"importar CSV 100x64/leer .rna", "ImportCsv", "ReadRnaText"},
                                           {"exportar CSV 100x64/escribir .rna", "ExportCsv", "WriteRna"},
                                       });
}
