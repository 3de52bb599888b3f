#include "fichero_rna.h"

#include "acceso_fichero.h"
#include "cabecera_red.h"
#include "lector_lineas.h"
#include "nombres_fichero.h"
#include "patrones_fichero.h"
#include "red_neuronal.h"

std::vector<std::string> LineasRna(const TRedNeuronal& red, const PatronesFichero& patrones, std::int32_t seleccionRegla,
                                   std::int32_t seleccionFuncion, char separador) {
    std::vector<std::string> lineas;
    AnadirLineasCabecera(lineas, red, seleccionRegla, seleccionFuncion);
    AnadirLineasPatrones(lineas, patrones, separador);
    return lineas;
}

namespace {

DescripcionRed Describir(LectorLineas& lector) {
    DescripcionRed descripcion;
    descripcion.Tipo = TipoFicheroRed::SinEntrenar;
    descripcion.Cabecera = LeerCabecera(lector);
    descripcion.Patrones =
        LeerPatrones(lector, descripcion.Cabecera.NumeroEntradas, descripcion.Cabecera.NeuronasCapaSalida);
    return descripcion;
}

}  // namespace

DescripcionRed DescribirRna(std::string_view texto) {
    LectorLineas lector(texto);
    return Describir(lector);
}

DescripcionRed LeerRna(const std::string& ruta) {
    FicheroLectura fichero(ruta);
    LectorLineas lector(fichero.Fuente());
    DescripcionRed descripcion = Describir(lector);
    descripcion.NombreRed = QuitarExtension(NombreSinCarpeta(ruta));
    return descripcion;
}
