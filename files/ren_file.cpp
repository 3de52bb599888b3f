#include "ren_file.h"

#include "file_access.h"
#include "file_names.h"
#include "line_reader.h"
#include "network_header.h"

#include "file_patterns.h"
#include "network.h"
#include "read_messages.h"
#include "real_text.h"

namespace {

void AddLayerWeights(std::vector<std::string>& lineas, const TCapaNeuronal& capa, char separador) {
    for (int j = 1; j <= capa.NumeroNeuronas(); ++j) {
        for (int k = 0; k <= capa.NumeroEntradas(); ++k) {
            lineas.push_back(RealText(capa.Neuronas[j].Pesos[static_cast<std::size_t>(k)], separador));
        }
    }
}

std::vector<double> ReadWeights(LineReader& lector, std::int32_t& linea, std::int32_t neuronas,
                              std::int32_t entradas) {
    std::vector<double> pesos;
    pesos.reserve(static_cast<std::size_t>(neuronas * (entradas + 1)));
    for (std::int32_t v = 0; v < neuronas * (entradas + 1); ++v) pesos.push_back(lector.Real(linea++));
    return pesos;
}

NetworkDescription Describe(LineReader& lector) {
    NetworkDescription descripcion;
    descripcion.Kind = NetworkFileKind::Trained;
    descripcion.Header = ReadHeader(lector);
    const NetworkHeader& c = descripcion.Header;
    std::int32_t linea = 6;
    descripcion.HiddenWeights = ReadWeights(lector, linea, c.NeuronasCapaOculta, c.NumeroEntradas);
    descripcion.OutputWeights = ReadWeights(lector, linea, c.NeuronasCapaSalida, c.NeuronasCapaOculta);
    return descripcion;
}

void TakeCompanion(NetworkDescription& descripcion, LineReader& lector, const std::string& rutaCompanera) {
    const NetworkHeader topologia = ReadTopology(lector);
    const NetworkHeader& red = descripcion.Header;
    if (topologia.NumeroEntradas != red.NumeroEntradas || topologia.NeuronasCapaOculta != red.NeuronasCapaOculta ||
        topologia.NeuronasCapaSalida != red.NeuronasCapaSalida) {
        descripcion.Warning = CompanionMismatchWarning(rutaCompanera);
        return;
    }
    descripcion.Patterns = ReadPatterns(lector, red.NumeroEntradas, red.NeuronasCapaSalida);
}

}  // namespace

std::vector<std::string> RenLines(const TRedNeuronal& red, std::int32_t seleccionRegla,
                                   std::int32_t seleccionFuncion, char separador) {
    std::vector<std::string> lineas;
    AddHeaderLines(lineas, red, seleccionRegla, seleccionFuncion);
    AddLayerWeights(lineas, red.CapaOculta, separador);
    AddLayerWeights(lineas, red.CapaSalida, separador);
    return lineas;
}

NetworkDescription DescribeRen(std::string_view texto) {
    LineReader lector(texto);
    return Describe(lector);
}

void AddCompanion(NetworkDescription& descripcion, std::string_view textoCompanero, const std::string& rutaCompanera) {
    LineReader lector(textoCompanero);
    TakeCompanion(descripcion, lector, rutaCompanera);
}

NetworkDescription ReadRen(const std::string& ruta) {
    NetworkDescription descripcion;
    {
        FileForReading fichero(ruta);
        LineReader lector(fichero.Source());
        descripcion = Describe(lector);
    }
    descripcion.NombreRed = QuitarExtension(NameWithoutFolder(ruta));
    const std::string companera = CompanionPath(ruta);
    if (FileExists(companera)) {
        FileForReading fichero(companera);
        LineReader lector(fichero.Source());
        TakeCompanion(descripcion, lector, companera);
    }
    return descripcion;
}
