#include "file_names.h"

std::string QuitarExtension(std::string_view nombre) {
    return std::string(nombre.substr(0, nombre.find('.')));
}

std::string NameWithoutFolder(std::string_view ruta) {
    std::size_t barra = ruta.rfind('/');
    return std::string(barra == std::string_view::npos ? ruta : ruta.substr(barra + 1));
}

std::string CompanionPath(std::string_view rutaEntrenada) {
    return QuitarExtension(rutaEntrenada) + ".rna";
}
