#include "carga_red.h"

#include "estado_trabajo.h"
#include "fichero_ren.h"
#include "fichero_rna.h"
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
    if (cabecera.SeleccionRegla == 0) red.SetReglaPropagacion(rpLineal);
    switch (cabecera.SeleccionFuncion) {
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
    const CabeceraRed& cabecera = descripcion.Cabecera;
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

    ResultadoCarga resultado;
    resultado.Cabecera = cabecera;
    resultado.PatronesTomados = descripcion.Patrones.has_value();
    resultado.Pagina = descripcion.Tipo == TipoFicheroRed::SinEntrenar ? PaginaTrasCarga::Entrenamiento
                                                                        : PaginaTrasCarga::Ejecucion;
    resultado.Aviso = descripcion.Aviso;
    return resultado;
}

ResultadoCarga CargarRna(const std::string& ruta, TRedNeuronal& red, EstadoTrabajo& estado) {
    return AplicarDescripcion(LeerRna(ruta), red, estado);
}

ResultadoCarga CargarRen(const std::string& ruta, TRedNeuronal& red, EstadoTrabajo& estado) {
    return AplicarDescripcion(LeerRen(ruta), red, estado);
}
