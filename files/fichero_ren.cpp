#include "fichero_ren.h"

#include "acceso_fichero.h"
#include "cabecera_red.h"
#include "lector_lineas.h"
#include "nombres_fichero.h"

#include "real_text.h"
#include "patrones_fichero.h"
#include "red_neuronal.h"

namespace {

void AnadirPesosCapa(std::vector<std::string>& lineas, const TCapaNeuronal& capa, char separador) {
    for (int j = 1; j <= capa.NumeroNeuronas(); ++j) {
        for (int k = 0; k <= capa.NumeroEntradas(); ++k) {
            lineas.push_back(RealText(capa.Neuronas[j].Pesos[static_cast<std::size_t>(k)], separador));
        }
    }
}

std::vector<double> LeerPesos(LectorLineas& lector, std::int32_t& linea, std::int32_t neuronas,
                              std::int32_t entradas) {
    std::vector<double> pesos;
    pesos.reserve(static_cast<std::size_t>(neuronas * (entradas + 1)));
    for (std::int32_t v = 0; v < neuronas * (entradas + 1); ++v) pesos.push_back(lector.Real(linea++));
    return pesos;
}

DescripcionRed Describir(LectorLineas& lector) {
    DescripcionRed descripcion;
    descripcion.Tipo = TipoFicheroRed::Entrenada;
    descripcion.Cabecera = LeerCabecera(lector);
    const CabeceraRed& c = descripcion.Cabecera;
    std::int32_t linea = 6;
    descripcion.PesosOcultos = LeerPesos(lector, linea, c.NeuronasCapaOculta, c.NumeroEntradas);
    descripcion.PesosSalida = LeerPesos(lector, linea, c.NeuronasCapaSalida, c.NeuronasCapaOculta);
    return descripcion;
}

void TomarCompanero(DescripcionRed& descripcion, LectorLineas& lector, const std::string& rutaCompanera) {
    const CabeceraRed topologia = LeerTopologia(lector);
    const CabeceraRed& red = descripcion.Cabecera;
    if (topologia.NumeroEntradas != red.NumeroEntradas || topologia.NeuronasCapaOculta != red.NeuronasCapaOculta ||
        topologia.NeuronasCapaSalida != red.NeuronasCapaSalida) {
        descripcion.Aviso = "El fichero de patrones " + rutaCompanera +
                            " no corresponde a la topología de la red; no se ha cargado.";
        return;
    }
    descripcion.Patrones = LeerPatrones(lector, red.NumeroEntradas, red.NeuronasCapaSalida);
}

}  // namespace

std::vector<std::string> LineasRen(const TRedNeuronal& red, std::int32_t seleccionRegla,
                                   std::int32_t seleccionFuncion, char separador) {
    std::vector<std::string> lineas;
    AnadirLineasCabecera(lineas, red, seleccionRegla, seleccionFuncion);
    AnadirPesosCapa(lineas, red.CapaOculta, separador);
    AnadirPesosCapa(lineas, red.CapaSalida, separador);
    return lineas;
}

DescripcionRed DescribirRen(std::string_view texto) {
    LectorLineas lector(texto);
    return Describir(lector);
}

void AnadirCompanero(DescripcionRed& descripcion, std::string_view textoCompanero, const std::string& rutaCompanera) {
    LectorLineas lector(textoCompanero);
    TomarCompanero(descripcion, lector, rutaCompanera);
}

DescripcionRed LeerRen(const std::string& ruta) {
    DescripcionRed descripcion;
    {
        FicheroLectura fichero(ruta);
        LectorLineas lector(fichero.Fuente());
        descripcion = Describir(lector);
    }
    descripcion.NombreRed = QuitarExtension(NombreSinCarpeta(ruta));
    const std::string companera = RutaCompanera(ruta);
    if (ExisteFichero(companera)) {
        FicheroLectura fichero(companera);
        LectorLineas lector(fichero.Fuente());
        TomarCompanero(descripcion, lector, companera);
    }
    return descripcion;
}
