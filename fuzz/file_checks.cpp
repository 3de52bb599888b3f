#include "file_checks.h"

#include "line_splitter.h"
#include "network_files.h"
#include "random_generator.h"
#include "ren_file.h"
#include "rna_file.h"
#include "work_state.h"

#include "network.h"
#include "program_error.h"
#include "real_text.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr char kSeparadores[] = {'.', ','};
const std::string kCompanionPath = "companero.rna";

[[noreturn]] void Fail(const char* que) {
    std::fputs("files fuzz check failed: ", stderr);
    std::fputs(que, stderr);
    std::fputs("\n", stderr);
    std::abort();
}

// A fixed clock: the weights a load draws do not depend on the hour.
void FreezeClock() {
    static const bool hecho = [] {
        RandomGenerator::SetClock([] { return TimeOfDay{12, 0, 0, 0}; });
        return true;
    }();
    (void)hecho;
}

// What the main window owns and a load changes.
struct Window {
    TRedNeuronal red;
    WorkState estado;
    Window() { PrepareStartUpNetwork(red); }
};

// Equal, or only as written: a saved value reads back as its 15-digit text.
enum class Equality : std::uint8_t { Exact, Written };

void CompareValues(const std::vector<double>& a, const std::vector<double>& b, Equality igualdad, const char* que) {
    if (a.size() != b.size()) Fail(que);
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (igualdad == Equality::Exact ? a[i] != b[i] : RealText(a[i], '.') != RealText(b[i], '.')) Fail(que);
    }
}

void CompareHeaders(const NetworkHeader& a, const NetworkHeader& b) {
    if (a.NumeroEntradas != b.NumeroEntradas || a.NeuronasCapaOculta != b.NeuronasCapaOculta ||
        a.NeuronasCapaSalida != b.NeuronasCapaSalida || a.RuleSelection != b.RuleSelection ||
        a.FunctionSelection != b.FunctionSelection) {
        Fail("header");
    }
}

void ComparePatterns(const FilePatterns& a, const FilePatterns& b, Equality igualdad) {
    if (a.NumeroPatrones != b.NumeroPatrones) Fail("pattern count");
    CompareValues(a.Entradas, b.Entradas, igualdad, "pattern inputs");
    CompareValues(a.Salidas, b.Salidas, igualdad, "pattern outputs");
}

// What the window holds, in the order the description keeps it.
std::vector<double> Pesos(const TCapaNeuronal& capa) {
    std::vector<double> pesos;
    for (int j = 1; j <= capa.NumeroNeuronas(); ++j) {
        for (int k = 0; k <= capa.NumeroEntradas(); ++k) pesos.push_back(capa.Neuronas[j].Pesos[static_cast<std::size_t>(k)]);
    }
    return pesos;
}

FilePatterns Table(const WorkState& estado, std::int32_t entradas, std::int32_t salidas) {
    FilePatterns patrones;
    patrones.NumeroPatrones = estado.NumeroPatrones;
    for (std::int32_t p = 1; p <= estado.NumeroPatrones; ++p) {
        for (std::int32_t i = 1; i <= entradas; ++i) patrones.Entradas.push_back(estado.EntradasPatrones[p][i]);
        for (std::int32_t k = 1; k <= salidas; ++k) patrones.Salidas.push_back(estado.SalidasPatrones[p][k]);
    }
    return patrones;
}

std::optional<NetworkDescription> Describe(std::string_view texto, std::optional<std::string_view> companero, bool entrenada) {
    try {
        if (!entrenada) return DescribeRna(texto);
        NetworkDescription descripcion = DescribeRen(texto);
        if (companero) AddCompanion(descripcion, *companero, kCompanionPath);
        return descripcion;
    } catch (const ProgramError&) {
        return std::nullopt;
    }
}

void Check(std::string_view texto, std::optional<std::string_view> companero, bool entrenada) {
    FreezeClock();
    std::optional<NetworkDescription> leida = Describe(texto, companero, entrenada);
    if (!leida) return;

    // Kept from one input to the next, as the window keeps them from one
    // load to the next: a load must not depend on what came before.
    static Window ventana;
    TRedNeuronal& red = ventana.red;
    WorkState& estado = ventana.estado;
    LoadResult resultado = ApplyDescription(*leida, red, estado);
    if (resultado.PatternsTaken != leida->Patterns.has_value()) Fail("result");
    const NetworkHeader& cabecera = resultado.Header;
    CompareHeaders(leida->Header, cabecera);
    const FilePatterns tabla = Table(estado, cabecera.NumeroEntradas, cabecera.NeuronasCapaSalida);
    if (leida->Patterns) ComparePatterns(*leida->Patterns, tabla, Equality::Exact);
    if (entrenada) {
        CompareValues(leida->HiddenWeights, Pesos(red.CapaOculta), Equality::Exact, "hidden weights taken");
        CompareValues(leida->OutputWeights, Pesos(red.CapaSalida), Equality::Exact, "output weights taken");
    }

    // Both files the window would save now, under either separator, read
    // back to what it holds.
    for (char separador : kSeparadores) {
        const std::string rna = JoinLines(RnaLines(red, PatternsToSave(estado, red), cabecera.RuleSelection, cabecera.FunctionSelection, separador));
        const std::string ren = JoinLines(RenLines(red, cabecera.RuleSelection, cabecera.FunctionSelection, separador));
        std::optional<NetworkDescription> sinEntrenar = Describe(rna, std::nullopt, false);
        std::optional<NetworkDescription> conPesos = Describe(ren, std::nullopt, true);
        if (!sinEntrenar || !conPesos) Fail("saved file does not read");
        CompareHeaders(cabecera, sinEntrenar->Header);
        CompareHeaders(cabecera, conPesos->Header);
        ComparePatterns(tabla, *sinEntrenar->Patterns, Equality::Written);
        CompareValues(Pesos(red.CapaOculta), conPesos->HiddenWeights, Equality::Written, "hidden weights");
        CompareValues(Pesos(red.CapaSalida), conPesos->OutputWeights, Equality::Written, "output weights");
    }
}

std::string_view LineText(const std::uint8_t* datos, std::size_t tamano) {
    return {reinterpret_cast<const char*>(datos), tamano};
}

}  // namespace

void CheckRnaFile(const std::uint8_t* datos, std::size_t tamano) { Check(LineText(datos, tamano), std::nullopt, false); }

void CheckRenFile(const std::uint8_t* datos, std::size_t tamano) {
    std::string_view texto = LineText(datos, tamano);
    std::size_t corte = texto.find('\f');
    if (corte == std::string_view::npos) {
        Check(texto, std::nullopt, true);
    } else {
        Check(texto.substr(0, corte), texto.substr(corte + 1), true);
    }
}
