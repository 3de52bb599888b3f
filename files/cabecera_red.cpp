#include "cabecera_red.h"

#include "lector_lineas.h"
#include "integer_text.h"
#include "red_neuronal.h"

#include <algorithm>

namespace {

std::int32_t LimitarCuenta(std::int32_t valor) { return std::clamp(valor, 1, 32); }

}  // namespace

void AnadirLineasCabecera(std::vector<std::string>& lineas, const TRedNeuronal& red, std::int32_t seleccionRegla,
                          std::int32_t seleccionFuncion) {
    lineas.push_back(IntegerText(red.NumeroEntradas()));
    lineas.push_back(IntegerText(red.NeuronasCapaOculta()));
    lineas.push_back(IntegerText(red.NeuronasCapaSalida()));
    lineas.push_back(IntegerText(seleccionRegla));
    lineas.push_back(IntegerText(seleccionFuncion));
}

CabeceraRed LeerTopologia(LectorLineas& lector) {
    CabeceraRed cabecera;
    cabecera.NumeroEntradas = LimitarCuenta(lector.Entero(1));
    cabecera.NeuronasCapaOculta = LimitarCuenta(lector.Entero(2));
    cabecera.NeuronasCapaSalida = LimitarCuenta(lector.Entero(3));
    return cabecera;
}

CabeceraRed LeerCabecera(LectorLineas& lector) {
    CabeceraRed cabecera = LeerTopologia(lector);
    cabecera.SeleccionRegla = lector.Entero(4);
    cabecera.SeleccionFuncion = lector.Entero(5);
    return cabecera;
}
