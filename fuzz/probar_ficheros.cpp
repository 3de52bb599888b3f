#include "probar_ficheros.h"

#include "aleatorio.h"
#include "network_files.h"
#include "estado_trabajo.h"
#include "fichero_ren.h"
#include "fichero_rna.h"
#include "lineas_fichero.h"

#include "real_text.h"
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

// Equal, or only as written: a saved value reads back as its 15-digit text.
enum class Igualdad : std::uint8_t { Exacta, Escrita };

void CompararValores(const std::vector<double>& a, const std::vector<double>& b, Igualdad igualdad, const char* que) {
    if (a.size() != b.size()) Fallo(que);
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (igualdad == Igualdad::Exacta ? a[i] != b[i] : RealText(a[i], '.') != RealText(b[i], '.')) Fallo(que);
    }
}

void CompararCabeceras(const CabeceraRed& a, const CabeceraRed& b) {
    if (a.NumeroEntradas != b.NumeroEntradas || a.NeuronasCapaOculta != b.NeuronasCapaOculta ||
        a.NeuronasCapaSalida != b.NeuronasCapaSalida || a.SeleccionRegla != b.SeleccionRegla ||
        a.SeleccionFuncion != b.SeleccionFuncion) {
        Fallo("header");
    }
}

void CompararPatrones(const PatronesFichero& a, const PatronesFichero& b, Igualdad igualdad) {
    if (a.NumeroPatrones != b.NumeroPatrones) Fallo("pattern count");
    CompararValores(a.Entradas, b.Entradas, igualdad, "pattern inputs");
    CompararValores(a.Salidas, b.Salidas, igualdad, "pattern outputs");
}

// What the window holds, in the order the description keeps it.
std::vector<double> Pesos(const TCapaNeuronal& capa) {
    std::vector<double> pesos;
    for (int j = 1; j <= capa.NumeroNeuronas(); ++j) {
        for (int k = 0; k <= capa.NumeroEntradas(); ++k) pesos.push_back(capa.Neuronas[j].Pesos[static_cast<std::size_t>(k)]);
    }
    return pesos;
}

PatronesFichero Tabla(const EstadoTrabajo& estado, std::int32_t entradas, std::int32_t salidas) {
    PatronesFichero patrones;
    patrones.NumeroPatrones = estado.NumeroPatrones;
    for (std::int32_t p = 1; p <= estado.NumeroPatrones; ++p) {
        for (std::int32_t i = 1; i <= entradas; ++i) patrones.Entradas.push_back(estado.EntradasPatrones[p][i]);
        for (std::int32_t k = 1; k <= salidas; ++k) patrones.Salidas.push_back(estado.SalidasPatrones[p][k]);
    }
    return patrones;
}

std::optional<DescripcionRed> Describir(std::string_view texto, std::optional<std::string_view> companero, bool entrenada) {
    try {
        if (!entrenada) return DescribirRna(texto);
        DescripcionRed descripcion = DescribirRen(texto);
        if (companero) AnadirCompanero(descripcion, *companero, kRutaCompanera);
        return descripcion;
    } catch (const ProgramError&) {
        return std::nullopt;
    }
}

void Probar(std::string_view texto, std::optional<std::string_view> companero, bool entrenada) {
    CongelarReloj();
    std::optional<DescripcionRed> leida = Describir(texto, companero, entrenada);
    if (!leida) return;

    // Kept from one input to the next, as the window keeps them from one
    // load to the next: a load must not depend on what came before.
    static Ventana ventana;
    TRedNeuronal& red = ventana.red;
    EstadoTrabajo& estado = ventana.estado;
    ResultadoCarga resultado = AplicarDescripcion(*leida, red, estado);
    if (resultado.PatronesTomados != leida->Patrones.has_value()) Fallo("result");
    const CabeceraRed& cabecera = resultado.Cabecera;
    CompararCabeceras(leida->Cabecera, cabecera);
    const PatronesFichero tabla = Tabla(estado, cabecera.NumeroEntradas, cabecera.NeuronasCapaSalida);
    if (leida->Patrones) CompararPatrones(*leida->Patrones, tabla, Igualdad::Exacta);
    if (entrenada) {
        CompararValores(leida->PesosOcultos, Pesos(red.CapaOculta), Igualdad::Exacta, "hidden weights taken");
        CompararValores(leida->PesosSalida, Pesos(red.CapaSalida), Igualdad::Exacta, "output weights taken");
    }

    // Both files the window would save now, under either separator, read
    // back to what it holds.
    for (char separador : kSeparadores) {
        const std::string rna = UnirLineas(LineasRna(red, PatternsToSave(estado, red), cabecera.SeleccionRegla, cabecera.SeleccionFuncion, separador));
        const std::string ren = UnirLineas(LineasRen(red, cabecera.SeleccionRegla, cabecera.SeleccionFuncion, separador));
        std::optional<DescripcionRed> sinEntrenar = Describir(rna, std::nullopt, false);
        std::optional<DescripcionRed> conPesos = Describir(ren, std::nullopt, true);
        if (!sinEntrenar || !conPesos) Fallo("saved file does not read");
        CompararCabeceras(cabecera, sinEntrenar->Cabecera);
        CompararCabeceras(cabecera, conPesos->Cabecera);
        CompararPatrones(tabla, *sinEntrenar->Patrones, Igualdad::Escrita);
        CompararValores(Pesos(red.CapaOculta), conPesos->PesosOcultos, Igualdad::Escrita, "hidden weights");
        CompararValores(Pesos(red.CapaSalida), conPesos->PesosSalida, Igualdad::Escrita, "output weights");
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
