#include "rna_file.h"

#include "file_access.h"
#include "file_names.h"
#include "file_patterns.h"
#include "line_reader.h"
#include "network.h"
#include "network_header.h"

std::vector<std::string> RnaLines(const TRedNeuronal& red, const FilePatterns& patrones, std::int32_t seleccionRegla,
                                   std::int32_t seleccionFuncion, char separador) {
    std::vector<std::string> lineas;
    AddHeaderLines(lineas, red, seleccionRegla, seleccionFuncion);
    AddPatternLines(lineas, patrones, separador);
    return lineas;
}

namespace {

NetworkDescription Describe(LineReader& lector) {
    NetworkDescription descripcion;
    descripcion.Kind = NetworkFileKind::Untrained;
    descripcion.Header = ReadHeader(lector);
    descripcion.Patterns =
        ReadPatterns(lector, descripcion.Header.NumeroEntradas, descripcion.Header.NeuronasCapaSalida);
    return descripcion;
}

}  // namespace

NetworkDescription DescribeRna(std::string_view texto) {
    LineReader lector(texto);
    return Describe(lector);
}

NetworkDescription ReadRna(const std::string& ruta) {
    FileForReading fichero(ruta);
    LineReader lector(fichero.Source());
    NetworkDescription descripcion = Describe(lector);
    descripcion.NombreRed = QuitarExtension(NameWithoutFolder(ruta));
    return descripcion;
}
