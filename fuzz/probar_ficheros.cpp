#include "probar_ficheros.h"

#include "aleatorio.h"
#include "carga_red.h"
#include "estado_trabajo.h"
#include "fichero_ren.h"
#include "fichero_rna.h"
#include "lineas_fichero.h"
#include "numero_texto.h"
#include "program_error.h"
#include "red_neuronal.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr char kSeparadores[] = {'.', ','};
const std::string kRutaCompanera = "companero.rna";

[[noreturn]] void Fallo(const char* que) {
    std::fputs("files fuzz check failed: ", stderr);
    std::fputs(que, stderr);
    std::fputs("\n", stderr);
    std::abort();
}

// A fixed clock: the weights a load draws do not depend on the hour.
void CongelarReloj() {
    static const bool hecho = [] {
        Aleatorio::FijarReloj([] { return HoraDelDia{12, 0, 0, 0}; });
        return true;
    }();
    (void)hecho;
}

// What the main window owns and a load changes.
struct Ventana {
    TRedNeuronal red;
    EstadoTrabajo estado;
    Ventana() { PrepararRedInicial(red); }
};

void CompararValores(const std::vector<double>& a, const std::vector<double>& b, const char* que) {
    if (a.size() != b.size()) Fallo(que);
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (TextoReal(a[i], '.') != TextoReal(b[i], '.')) Fallo(que);
    }
}

void Comparar(const DescripcionRed& primera, const DescripcionRed& segunda) {
    const CabeceraRed& a = primera.Cabecera;
    const CabeceraRed& b = segunda.Cabecera;
    if (a.NumeroEntradas != b.NumeroEntradas || a.NeuronasCapaOculta != b.NeuronasCapaOculta ||
        a.NeuronasCapaSalida != b.NeuronasCapaSalida || a.SeleccionRegla != b.SeleccionRegla ||
        a.SeleccionFuncion != b.SeleccionFuncion) {
        Fallo("header");
    }
    if (primera.Patrones.has_value() != segunda.Patrones.has_value()) Fallo("patterns taken");
    if (primera.Patrones) {
        if (primera.Patrones->NumeroPatrones != segunda.Patrones->NumeroPatrones) Fallo("pattern count");
        CompararValores(primera.Patrones->Entradas, segunda.Patrones->Entradas, "pattern inputs");
        CompararValores(primera.Patrones->Salidas, segunda.Patrones->Salidas, "pattern outputs");
    }
    CompararValores(primera.PesosOcultos, segunda.PesosOcultos, "hidden weights");
    CompararValores(primera.PesosSalida, segunda.PesosSalida, "output weights");
}

std::optional<DescripcionRed> Describir(std::string_view texto, std::optional<std::string_view> companero, bool entrenada,
                                        char separador) {
    try {
        if (!entrenada) return DescribirRna(texto, separador);
        DescripcionRed descripcion = DescribirRen(texto, separador);
        if (companero) AnadirCompanero(descripcion, *companero, kRutaCompanera, separador);
        return descripcion;
    } catch (const ProgramError&) {
        return std::nullopt;
    }
}

void Probar(std::string_view texto, std::optional<std::string_view> companero, bool entrenada) {
    CongelarReloj();
    for (char separador : kSeparadores) {
        std::optional<DescripcionRed> primera = Describir(texto, companero, entrenada, separador);
        if (!primera) continue;

        // Kept from one input to the next, as the window keeps them from one
        // load to the next: a load must not depend on what came before.
        static Ventana ventana;
        TRedNeuronal& red = ventana.red;
        EstadoTrabajo& estado = ventana.estado;
        ResultadoCarga resultado = AplicarDescripcion(*primera, red, estado);
        if (resultado.PatronesTomados != primera->Patrones.has_value()) Fallo("result");

        const std::int32_t regla = resultado.Cabecera.SeleccionRegla;
        const std::int32_t funcion = resultado.Cabecera.SeleccionFuncion;
        const std::string rna = UnirLineas(LineasRna(red, estado, regla, funcion, separador));
        std::optional<DescripcionRed> segunda;
        if (entrenada) {
            const std::string ren = UnirLineas(LineasRen(red, regla, funcion, separador));
            segunda = Describir(ren, primera->Patrones ? std::optional<std::string_view>(rna) : std::nullopt, true, separador);
        } else {
            segunda = Describir(rna, std::nullopt, false, separador);
        }
        if (!segunda) Fallo("saved file does not read");
        Comparar(*primera, *segunda);
    }
}

std::string_view Texto(const std::uint8_t* datos, std::size_t tamano) {
    return {reinterpret_cast<const char*>(datos), tamano};
}

}  // namespace

void ProbarFicheroRna(const std::uint8_t* datos, std::size_t tamano) { Probar(Texto(datos, tamano), std::nullopt, false); }

void ProbarFicheroRen(const std::uint8_t* datos, std::size_t tamano) {
    std::string_view texto = Texto(datos, tamano);
    std::size_t corte = texto.find('\f');
    if (corte == std::string_view::npos) {
        Probar(texto, std::nullopt, true);
    } else {
        Probar(texto.substr(0, corte), texto.substr(corte + 1), true);
    }
}
