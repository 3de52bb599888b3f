#include "file_checks.h"

#include "random_generator.h"
#include "network_files.h"
#include "work_state.h"
#include "ren_file.h"
#include "rna_file.h"
#include "line_splitter.h"

#include "real_text.h"
#include "program_error.h"
#include "network.h"

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
        RandomGenerator::SetClock([] { return TimeOfDay{12, 0, 0, 0}; });
        return true;
    }();
    (void)hecho;
}

// What the main window owns and a load changes.
struct Ventana {
    TRedNeuronal red;
    WorkState estado;
    Ventana() { PrepareStartUpNetwork(red); }
};

// Equal, or only as written: a saved value reads back as its 15-digit text.
enum class Equality : std::uint8_t { Exact, Written };

void CompararValores(const std::vector<double>& a, const std::vector<double>& b, Equality igualdad, const char* que) {
    if (a.size() != b.size()) Fallo(que);
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (igualdad == Equality::Exact ? a[i] != b[i] : RealText(a[i], '.') != RealText(b[i], '.')) Fallo(que);
    }
}

void CompararCabeceras(const NetworkHeader& a, const NetworkHeader& b) {
    if (a.NumeroEntradas != b.NumeroEntradas || a.NeuronasCapaOculta != b.NeuronasCapaOculta ||
        a.NeuronasCapaSalida != b.NeuronasCapaSalida || a.RuleSelection != b.RuleSelection ||
        a.FunctionSelection != b.FunctionSelection) {
        Fallo("header");
    }
}

void CompararPatrones(const FilePatterns& a, const FilePatterns& b, Equality igualdad) {
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

FilePatterns Tabla(const WorkState& estado, std::int32_t entradas, std::int32_t salidas) {
    FilePatterns patrones;
    patrones.NumeroPatrones = estado.NumeroPatrones;
    for (std::int32_t p = 1; p <= estado.NumeroPatrones; ++p) {
        for (std::int32_t i = 1; i <= entradas; ++i) patrones.Entradas.push_back(estado.EntradasPatrones[p][i]);
        for (std::int32_t k = 1; k <= salidas; ++k) patrones.Salidas.push_back(estado.SalidasPatrones[p][k]);
    }
    return patrones;
}

std::optional<NetworkDescription> Describir(std::string_view texto, std::optional<std::string_view> companero, bool entrenada) {
    try {
        if (!entrenada) return DescribeRna(texto);
        NetworkDescription descripcion = DescribeRen(texto);
        if (companero) AddCompanion(descripcion, *companero, kRutaCompanera);
        return descripcion;
    } catch (const ProgramError&) {
        return std::nullopt;
    }
}

void Probar(std::string_view texto, std::optional<std::string_view> companero, bool entrenada) {
    CongelarReloj();
    std::optional<NetworkDescription> leida = Describir(texto, companero, entrenada);
    if (!leida) return;

    // Kept from one input to the next, as the window keeps them from one
    // load to the next: a load must not depend on what came before.
    static Ventana ventana;
    TRedNeuronal& red = ventana.red;
    WorkState& estado = ventana.estado;
    LoadResult resultado = ApplyDescription(*leida, red, estado);
    if (resultado.PatternsTaken != leida->Patrones.has_value()) Fallo("result");
    const NetworkHeader& cabecera = resultado.Header;
    CompararCabeceras(leida->Header, cabecera);
    const FilePatterns tabla = Tabla(estado, cabecera.NumeroEntradas, cabecera.NeuronasCapaSalida);
    if (leida->Patrones) CompararPatrones(*leida->Patrones, tabla, Equality::Exact);
    if (entrenada) {
        CompararValores(leida->HiddenWeights, Pesos(red.CapaOculta), Equality::Exact, "hidden weights taken");
        CompararValores(leida->OutputWeights, Pesos(red.CapaSalida), Equality::Exact, "output weights taken");
    }

    // Both files the window would save now, under either separator, read
    // back to what it holds.
    for (char separador : kSeparadores) {
        const std::string rna = JoinLines(RnaLines(red, PatternsToSave(estado, red), cabecera.RuleSelection, cabecera.FunctionSelection, separador));
        const std::string ren = JoinLines(RenLines(red, cabecera.RuleSelection, cabecera.FunctionSelection, separador));
        std::optional<NetworkDescription> sinEntrenar = Describir(rna, std::nullopt, false);
        std::optional<NetworkDescription> conPesos = Describir(ren, std::nullopt, true);
        if (!sinEntrenar || !conPesos) Fallo("saved file does not read");
        CompararCabeceras(cabecera, sinEntrenar->Header);
        CompararCabeceras(cabecera, conPesos->Header);
        CompararPatrones(tabla, *sinEntrenar->Patrones, Equality::Written);
        CompararValores(Pesos(red.CapaOculta), conPesos->HiddenWeights, Equality::Written, "hidden weights");
        CompararValores(Pesos(red.CapaSalida), conPesos->OutputWeights, Equality::Written, "output weights");
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
