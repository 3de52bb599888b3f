#include "network_files.h"

#include "estado_trabajo.h"
#include "list_choices.h"
#include "red_neuronal.h"

namespace {

void TomarPatrones(const PatronesFichero& patrones, const CabeceraRed& cabecera, EstadoTrabajo& estado) {
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
void Configurar(TRedNeuronal& red, const CabeceraRed& cabecera) {
    red.SetNeuronasCapaOculta(static_cast<TRangoNeuronas>(cabecera.NeuronasCapaOculta));
    red.SetNeuronasCapaSalida(static_cast<TRangoNeuronas>(cabecera.NeuronasCapaSalida));
    red.SetNumeroEntradas(cabecera.NumeroEntradas);
    ApplyListChoices(red, cabecera.SeleccionRegla, cabecera.SeleccionFuncion);
}

// Weights go in after the topology, whose writers replace them.
void PonerPesos(TCapaNeuronal& capa, const std::vector<double>& pesos) {
    const int entradas = capa.NumeroEntradas();
    for (int j = 1; j <= capa.NumeroNeuronas(); ++j) {
        for (int k = 0; k <= entradas; ++k) {
            capa.Neuronas[j].Pesos[static_cast<std::size_t>(k)] =
                pesos[static_cast<std::size_t>((j - 1) * (entradas + 1) + k)];
        }
    }
}

}  // namespace

ResultadoCarga AplicarDescripcion(const DescripcionRed& descripcion, TRedNeuronal& red, EstadoTrabajo& estado) {
    CabeceraRed cabecera = descripcion.Cabecera;
    cabecera.SeleccionRegla = ListPosition(cabecera.SeleccionRegla, kRuleListItems);
    cabecera.SeleccionFuncion = ListPosition(cabecera.SeleccionFuncion, kFunctionListItems);
    estado.NombreRed = descripcion.NombreRed;
    if (descripcion.Patrones) TomarPatrones(*descripcion.Patrones, cabecera, estado);
    Configurar(red, cabecera);
    estado.RedCreada = true;
    if (descripcion.Tipo == TipoFicheroRed::SinEntrenar) {
        red.InicializarPesos();
    } else {
        PonerPesos(red.CapaOculta, descripcion.PesosOcultos);
        PonerPesos(red.CapaSalida, descripcion.PesosSalida);
    }

    return {descripcion.Tipo, cabecera, descripcion.Patrones.has_value(), descripcion.Aviso};
}

PatronesFichero PatternsToSave(const EstadoTrabajo& estado, const TRedNeuronal& red) {
    const std::int32_t ne = red.NumeroEntradas();
    const std::int32_t ns = red.NeuronasCapaSalida();
    PatronesFichero patrones;
    patrones.NumeroPatrones = estado.NumeroPatrones;
    for (std::int32_t p = 1; p <= estado.NumeroPatrones; ++p) {
        for (std::int32_t i = 1; i <= ne; ++i) patrones.Entradas.push_back(estado.EntradasPatrones[p][i]);
    }
    for (std::int32_t p = 1; p <= estado.NumeroPatrones; ++p) {
        for (std::int32_t k = 1; k <= ns; ++k) patrones.Salidas.push_back(estado.SalidasPatrones[p][k]);
    }
    return patrones;
}
