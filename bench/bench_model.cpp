// Time per training step and per forward pass of our network against FANN's
// double build doing the same work: same shape, sigmoid in both layers,
// learning rate 0.35 without momentum, one pattern per step, the patterns
// drawn at random by the program's own generator in one fixed sequence.

#include <doublefann.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "aleatorio.h"
#include "ratio_report.h"
#include "red_neuronal.h"

namespace {

struct Forma {
    int entradas, ocultas, salidas;
    std::string Nombre() const {
        return std::to_string(entradas) + "-" + std::to_string(ocultas) + "-" + std::to_string(salidas);
    }
};

struct Patrones {
    std::vector<std::vector<double>> entradas, salidas;
    std::vector<int> secuencia;  // pattern of each step, as the training run draws them
};

constexpr std::size_t Pasos = 4096;

Patrones Crear(const Forma& forma) {
    Patrones p;
    if (forma.entradas == 2 && forma.salidas == 1) {
        p.entradas = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};
        p.salidas = {{0}, {1}, {1}, {0}};
    } else {
        std::mt19937 azar(7);
        std::uniform_real_distribution<double> uniforme(0, 1);
        for (int n = 0; n < 8; ++n) {
            p.entradas.emplace_back(static_cast<std::size_t>(forma.entradas));
            p.salidas.emplace_back(static_cast<std::size_t>(forma.salidas));
            for (double& x : p.entradas.back()) x = uniforme(azar);
            for (double& x : p.salidas.back()) x = uniforme(azar);
        }
    }
    Aleatorio::FijarEstado(12345);
    for (std::size_t t = 0; t < Pasos; ++t)
        p.secuencia.push_back(static_cast<int>(Aleatorio::Sacar() * static_cast<double>(p.entradas.size())));
    return p;
}

std::unique_ptr<TRedNeuronal> NuestraRed(const Forma& forma) {
    auto red = std::make_unique<TRedNeuronal>();
    PrepararRedInicial(*red);
    red->SetNeuronasCapaOculta(static_cast<TRangoNeuronas>(forma.ocultas));
    red->SetNeuronasCapaSalida(static_cast<TRangoNeuronas>(forma.salidas));
    red->SetNumeroEntradas(forma.entradas);
    red->SetFuncionTransferencia(ftSigmoide);
    red->InicializarPesos();
    return red;
}

struct fann* RedFann(const Forma& forma) {
    struct fann* ann = fann_create_standard(3, forma.entradas, forma.ocultas, forma.salidas);
    fann_set_training_algorithm(ann, FANN_TRAIN_INCREMENTAL);
    fann_set_learning_rate(ann, 0.35f);
    fann_set_learning_momentum(ann, 0);
    fann_set_activation_function_hidden(ann, FANN_SIGMOID);
    fann_set_activation_function_output(ann, FANN_SIGMOID);
    return ann;
}

void Cargar(TRedNeuronal& red, const Patrones& p, std::size_t n) {
    std::copy(p.entradas[n].begin(), p.entradas[n].end(), red.Entradas.begin() + 1);
    std::copy(p.salidas[n].begin(), p.salidas[n].end(), red.SalidasEsperadas.begin() + 1);
}

void EntrenarPatron(benchmark::State& state, Forma forma) {
    const Patrones p = Crear(forma);
    auto red = NuestraRed(forma);
    std::size_t t = 0;
    for (auto _ : state) {
        Cargar(*red, p, static_cast<std::size_t>(p.secuencia[t++ % Pasos]));
        red->EntrenarPatron();
        benchmark::DoNotOptimize(red->SalidasObtenidas[1]);
    }
}

void FannTrain(benchmark::State& state, Forma forma) {
    const Patrones p = Crear(forma);
    struct fann* ann = RedFann(forma);
    std::size_t t = 0;
    for (auto _ : state) {
        const auto n = static_cast<std::size_t>(p.secuencia[t++ % Pasos]);
        fann_train(ann, const_cast<fann_type*>(p.entradas[n].data()), const_cast<fann_type*>(p.salidas[n].data()));
    }
    fann_destroy(ann);
}

void Propagar(benchmark::State& state, Forma forma) {
    const Patrones p = Crear(forma);
    auto red = NuestraRed(forma);
    std::size_t t = 0;
    for (auto _ : state) {
        Cargar(*red, p, static_cast<std::size_t>(p.secuencia[t++ % Pasos]));
        red->Propagar();
        benchmark::DoNotOptimize(red->SalidasObtenidas[1]);
    }
}

void FannRun(benchmark::State& state, Forma forma) {
    const Patrones p = Crear(forma);
    struct fann* ann = RedFann(forma);
    std::size_t t = 0;
    for (auto _ : state) {
        const auto n = static_cast<std::size_t>(p.secuencia[t++ % Pasos]);
        benchmark::DoNotOptimize(fann_run(ann, const_cast<fann_type*>(p.entradas[n].data())));
    }
    fann_destroy(ann);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<BenchRatio> ratios;
    for (const Forma forma : {Forma{2, 2, 1}, Forma{32, 32, 32}}) {
        const std::string n = forma.Nombre();
        benchmark::RegisterBenchmark(("EntrenarPatron " + n).c_str(), EntrenarPatron, forma);
        benchmark::RegisterBenchmark(("fann_train " + n).c_str(), FannTrain, forma);
        benchmark::RegisterBenchmark(("Propagar " + n).c_str(), Propagar, forma);
        benchmark::RegisterBenchmark(("fann_run " + n).c_str(), FannRun, forma);
        ratios.push_back({"EntrenarPatron/fann_train " + n, "EntrenarPatron " + n, "fann_train " + n});
        ratios.push_back({"Propagar/fann_run " + n, "Propagar " + n, "fann_run " + n});
    }
    return RunBenchmarksAndPrintRatios(argc, argv, ratios);
}
