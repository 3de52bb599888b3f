#include "carga_red.h"

#include "work_state.h"
#include "ren_file.h"
#include "rna_file.h"
#include "network.h"

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
    if (cabecera.RuleSelection == 0) red.SetReglaPropagacion(rpLineal);
    switch (cabecera.FunctionSelection) {
    case 0:
        red.SetFuncionTransferencia(ftSigmoide);
        break;
    case 1:
        red.SetFuncionTransferencia(ftTangenteHiperbolica);
        break;
    case 2:
        red.SetFuncionTransferencia(ftIdentidad);
        break;
    default:  // nothing selected: the function stays as it was
        break;
    }
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
    const NetworkHeader& cabecera = descripcion.Header;
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

    LoadResult resultado;
    resultado.Header = cabecera;
    resultado.PatternsTaken = descripcion.Patterns.has_value();
    resultado.Pagina = descripcion.Kind == NetworkFileKind::Untrained ? PaginaTrasCarga::TrainingRun
                                                                        : PaginaTrasCarga::Execution;
    resultado.Warning = descripcion.Warning;
    return resultado;
}

LoadResult CargarRna(const std::string& ruta, TRedNeuronal& red, WorkState& estado) {
    return ApplyDescription(ReadRna(ruta), red, estado);
}

LoadResult CargarRen(const std::string& ruta, TRedNeuronal& red, WorkState& estado) {
    return ApplyDescription(ReadRen(ruta), red, estado);
}
