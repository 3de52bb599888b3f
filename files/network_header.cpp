#include "network_header.h"

#include "integer_text.h"
#include "line_reader.h"
#include "network.h"

#include <algorithm>

namespace {

std::int32_t ClampCount(std::int32_t valor) { return std::clamp(valor, 1, 32); }

}  // namespace

void AddHeaderLines(std::vector<std::string>& lineas, const TRedNeuronal& red, std::int32_t seleccionRegla,
                          std::int32_t seleccionFuncion) {
    lineas.push_back(IntegerText(red.NumeroEntradas()));
    lineas.push_back(IntegerText(red.NeuronasCapaOculta()));
    lineas.push_back(IntegerText(red.NeuronasCapaSalida()));
    lineas.push_back(IntegerText(seleccionRegla));
    lineas.push_back(IntegerText(seleccionFuncion));
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
    cabecera.RuleSelection = lector.Integer(4);
    cabecera.FunctionSelection = lector.Integer(5);
    return cabecera;
}
