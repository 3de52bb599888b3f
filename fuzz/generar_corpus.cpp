// Writes the seed corpus of the fuzz targets with the program's own writers:
// generar_corpus <folder> makes <folder>/rna/* and <folder>/ren/*.

#include "acceso_fichero.h"
#include "estado_trabajo.h"
#include "fichero_ren.h"
#include "fichero_rna.h"
#include "lineas_fichero.h"
#include "red_neuronal.h"

#include <cmath>
#include <filesystem>
#include <string>

namespace {

void Topologia(TRedNeuronal& red, int entradas, int ocultas, int salidas) {
    PrepararRedInicial(red);
    red.SetNeuronasCapaOculta(static_cast<TRangoNeuronas>(ocultas));
    red.SetNeuronasCapaSalida(static_cast<TRangoNeuronas>(salidas));
    red.SetNumeroEntradas(entradas);
}

// Values of the shapes the text form distinguishes: whole, fractional, tiny,
// huge, negative, more than fifteen digits.
double Valor(int n) {
    static const double valores[] = {0, 0.5, 1, -0.25, 1e-5, -2.5e-7, 1e15, 1.5e20, 1.0 / 3.0, 12.5, -3, 0.0001};
    return valores[n % 12] * (n / 12 + 1);
}

EstadoTrabajo Patrones(int numero) {
    EstadoTrabajo estado;
    estado.NumeroPatrones = numero;
    for (int p = 1; p <= numero; ++p) {
        for (int i = 1; i <= 32; ++i) {
            estado.EntradasPatrones[p][i] = Valor(p * 7 + i);
            estado.SalidasPatrones[p][i] = Valor(p * 3 + i);
        }
    }
    return estado;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::filesystem::path carpeta = argv[1];
    std::filesystem::create_directories(carpeta / "rna");
    std::filesystem::create_directories(carpeta / "ren");
    auto ruta = [&](const char* tipo, const std::string& nombre) { return (carpeta / tipo / nombre).string(); };

    struct Caso {
        const char* nombre;
        int entradas, ocultas, salidas, patrones, regla, funcion;
        char separador;
    };
    const Caso casos[] = {
        {"xor_punto", 2, 3, 1, 4, 0, 0, '.'},    {"xor_coma", 2, 3, 1, 4, 0, 1, ','},
        {"vacia", 2, 2, 1, 0, -1, -1, '.'},      {"ancha", 32, 3, 32, 2, 0, 2, ','},
        {"cien", 1, 1, 1, 100, 0, 0, '.'},       {"mixta", 3, 4, 2, 5, -1, 1, ','},
    };
    for (const Caso& c : casos) {
        TRedNeuronal red;
        Topologia(red, c.entradas, c.ocultas, c.salidas);
        const EstadoTrabajo estado = Patrones(c.patrones);
        const std::string rna = UnirLineas(LineasRna(red, estado, c.regla, c.funcion, c.separador));
        const std::string ren = UnirLineas(LineasRen(red, c.regla, c.funcion, c.separador));
        GuardarFicheroSeguro(ruta("rna", std::string(c.nombre) + ".rna"), rna);
        GuardarFicheroSeguro(ruta("ren", std::string(c.nombre) + ".ren"), ren);
        // The trained file followed by its companion, as the ren target splits them.
        GuardarFicheroSeguro(ruta("ren", std::string(c.nombre) + "_con_patrones.ren"), ren + "\f" + rna);
    }
    return 0;
}
