// Writes the seed corpus of the fuzz targets with the program's own writers:
// generar_corpus <folder> makes <folder>/rna/* and <folder>/ren/*.

#include "file_access.h"
#include "line_splitter.h"
#include "network.h"
#include "network_files.h"
#include "ren_file.h"
#include "rna_file.h"
#include "work_state.h"

#include <cmath>
#include <filesystem>
#include <limits>
#include <string>

namespace {

void Topology(TRedNeuronal& red, int entradas, int ocultas, int salidas) {
    PrepareStartUpNetwork(red);
    red.SetNeuronasCapaOculta(static_cast<TRangoNeuronas>(ocultas));
    red.SetNeuronasCapaSalida(static_cast<TRangoNeuronas>(salidas));
    red.SetNumeroEntradas(entradas);
}

// Values of the shapes the text form distinguishes: whole, fractional, tiny,
// huge, negative, more than fifteen digits.
double Value(int n) {
    static const double valores[] = {0, 0.5, 1, -0.25, 1e-5, -2.5e-7, 1e15, 1.5e20, 1.0 / 3.0, 12.5, -3, 0.0001};
    return valores[n % 12] * (n / 12 + 1);
}

// The ends of the doubles: the largest, whose 15 digits lie above it, the
// smallest subnormals and a negative zero.
double Extremo(int n) {
    constexpr double maximo = std::numeric_limits<double>::max();
    constexpr double minimo = std::numeric_limits<double>::denorm_min();
    static const double valores[] = {maximo, -maximo, minimo, -minimo, 2 * minimo, 3 * minimo, -0.0};
    return valores[n % 7];
}

WorkState Patterns(int numero, double (*valor)(int)) {
    WorkState estado;
    estado.NumeroPatrones = numero;
    for (int p = 1; p <= numero; ++p) {
        for (int i = 1; i <= 32; ++i) {
            estado.EntradasPatrones[p][i] = valor(p * 7 + i);
            estado.SalidasPatrones[p][i] = valor(p * 3 + i);
        }
    }
    return estado;
}

void PutWeights(TRedNeuronal& red, double (*valor)(int)) {
    for (TCapaNeuronal* capa : {&red.CapaOculta, &red.CapaSalida}) {
        for (int j = 1; j <= capa->NumeroNeuronas(); ++j) {
            for (int k = 0; k <= capa->NumeroEntradas(); ++k) capa->Neuronas[j].Pesos[static_cast<std::size_t>(k)] = valor(j * 5 + k);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::filesystem::path carpeta = argv[1];
    std::filesystem::create_directories(carpeta / "rna");
    std::filesystem::create_directories(carpeta / "ren");
    auto ruta = [&](const char* tipo, const std::string& nombre) { return (carpeta / tipo / nombre).string(); };

    struct Case {
        const char* nombre;
        int entradas, ocultas, salidas, patrones, regla, funcion;
        char separador;
        double (*valor)(int) = Value;
    };
    const Case casos[] = {
        {"xor_punto", 2, 3, 1, 4, 0, 0, '.'},    {"xor_coma", 2, 3, 1, 4, 0, 1, ','},
        {"vacia", 2, 2, 1, 0, -1, -1, '.'},      {"ancha", 32, 3, 32, 2, 0, 2, ','},
        {"cien", 1, 1, 1, 100, 0, 0, '.'},       {"mixta", 3, 4, 2, 5, -1, 1, ','},
        {"extremos_punto", 3, 2, 2, 3, 0, 2, '.', Extremo}, {"extremos_coma", 2, 3, 1, 4, 0, 0, ',', Extremo},
    };
    for (const Case& c : casos) {
        TRedNeuronal red;
        Topology(red, c.entradas, c.ocultas, c.salidas);
        if (c.valor == Extremo) PutWeights(red, Extremo);
        const WorkState estado = Patterns(c.patrones, c.valor);
        const std::string rna = JoinLines(RnaLines(red, PatternsToSave(estado, red), c.regla, c.funcion, c.separador));
        const std::string ren = JoinLines(RenLines(red, c.regla, c.funcion, c.separador));
        SaveFileSafely(ruta("rna", std::string(c.nombre) + ".rna"), rna);
        SaveFileSafely(ruta("ren", std::string(c.nombre) + ".ren"), ren);
        // The trained file followed by its companion, as the ren target splits them.
        SaveFileSafely(ruta("ren", std::string(c.nombre) + "_con_patrones.ren"), ren + "\f" + rna);
    }
    return 0;
}
