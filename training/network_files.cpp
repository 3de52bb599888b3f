#include "network_files.h"

#include "list_choices.h"
#include "network.h"
#include "work_state.h"

namespace {

void TakePatterns(const FilePatterns& patrones, const NetworkHeader& cabecera, WorkState& estado) {
    const std::int32_t ne = cabecera.NumeroEntradas;
    const std::int32_t ns = cabecera.NeuronasCapaSalida;
    estado.NumeroPatrones = patrones.NumeroPatrones;
    for (std::int32_t p = 1; p <= patrones.NumeroPatrones; ++p) {
        for (std::int32_t i = 1; i <= ne; ++i) {
            estado.EntradasPatrones[p][i] = patrones.Entradas[static_cast<std::size_t>((p - 1) * ne + i - 1)];
        }
    }
    for (std::int32_t p = 1; p <= patrones.NumeroPatrones; ++p) {
        for (std::int32_t k = 1; k <= ns; ++k) {
            estado.SalidasPatrones[p][k] = patrones.Salidas[static_cast<std::size_t>((p - 1) * ns + k - 1)];
        }
    }
}

// The writers' order matters: each count write draws fresh weights.
void Configure(TRedNeuronal& red, const NetworkHeader& cabecera) {
    red.SetNeuronasCapaOculta(static_cast<TRangoNeuronas>(cabecera.NeuronasCapaOculta));
    red.SetNeuronasCapaSalida(static_cast<TRangoNeuronas>(cabecera.NeuronasCapaSalida));
    red.SetNumeroEntradas(cabecera.NumeroEntradas);
    ApplyListChoices(red, cabecera.RuleSelection, cabecera.FunctionSelection);
}

// Weights go in after the topology, whose writers replace them.
void PutWeights(TCapaNeuronal& capa, const std::vector<double>& pesos) {
    const int entradas = capa.NumeroEntradas();
    for (int j = 1; j <= capa.NumeroNeuronas(); ++j) {
        for (int k = 0; k <= entradas; ++k) {
            capa.Neuronas[j].Pesos[static_cast<std::size_t>(k)] =
                pesos[static_cast<std::size_t>((j - 1) * (entradas + 1) + k)];
        }
    }
}

}  // namespace

LoadResult ApplyDescription(const NetworkDescription& descripcion, TRedNeuronal& red, WorkState& estado) {
    NetworkHeader cabecera = descripcion.Header;
    cabecera.RuleSelection = ListPosition(cabecera.RuleSelection, kRuleListItems);
    cabecera.FunctionSelection = ListPosition(cabecera.FunctionSelection, kFunctionListItems);
    estado.NombreRed = descripcion.NombreRed;
    if (descripcion.Patterns) TakePatterns(*descripcion.Patterns, cabecera, estado);
    Configure(red, cabecera);
    estado.RedCreada = true;
    if (descripcion.Kind == NetworkFileKind::Untrained) {
        red.InicializarPesos();
    } else {
        PutWeights(red.CapaOculta, descripcion.HiddenWeights);
        PutWeights(red.CapaSalida, descripcion.OutputWeights);
    }

    return {descripcion.Kind, cabecera, descripcion.Patterns.has_value(), descripcion.Warning};
}

FilePatterns PatternsToSave(const WorkState& estado, const TRedNeuronal& red) {
    const std::int32_t ne = red.NumeroEntradas();
    const std::int32_t ns = red.NeuronasCapaSalida();
    FilePatterns patrones;
    patrones.NumeroPatrones = estado.NumeroPatrones;
    for (std::int32_t p = 1; p <= estado.NumeroPatrones; ++p) {
        for (std::int32_t i = 1; i <= ne; ++i) patrones.Entradas.push_back(estado.EntradasPatrones[p][i]);
    }
    for (std::int32_t p = 1; p <= estado.NumeroPatrones; ++p) {
        for (std::int32_t k = 1; k <= ns; ++k) patrones.Salidas.push_back(estado.SalidasPatrones[p][k]);
    }
    return patrones;
}
