#include "network_header.h"

#include "line_reader.h"
#include "numero_texto.h"
#include "network.h"

#include <algorithm>

namespace {

std::int32_t ClampCount(std::int32_t valor) { return std::clamp(valor, 1, 32); }

std::int32_t Seleccion(std::int32_t valor, std::int32_t elementos) {
    return valor >= 0 && valor < elementos ? valor : -1;
}

}  // namespace

void AddHeaderLines(std::vector<std::string>& lineas, const TRedNeuronal& red, std::int32_t seleccionRegla,
                          std::int32_t seleccionFuncion) {
    lineas.push_back(TextoEntero(red.NumeroEntradas()));
    lineas.push_back(TextoEntero(red.NeuronasCapaOculta()));
    lineas.push_back(TextoEntero(red.NeuronasCapaSalida()));
    lineas.push_back(TextoEntero(seleccionRegla));
    lineas.push_back(TextoEntero(seleccionFuncion));
}

NetworkHeader ReadTopology(LineReader& lector) {
    NetworkHeader cabecera;
    cabecera.NumeroEntradas = ClampCount(lector.Integer(1));
    cabecera.NeuronasCapaOculta = ClampCount(lector.Integer(2));
    cabecera.NeuronasCapaSalida = ClampCount(lector.Integer(3));
    return cabecera;
}

NetworkHeader ReadHeader(LineReader& lector) {
    NetworkHeader cabecera = ReadTopology(lector);
    cabecera.RuleSelection = Seleccion(lector.Integer(4), ElementosListaRegla);
    cabecera.FunctionSelection = Seleccion(lector.Integer(5), ElementosListaFuncion);
    return cabecera;
}
