#include "cabecera_red.h"

#include "lector_lineas.h"
#include "numero_texto.h"
#include "red_neuronal.h"

#include <algorithm>

namespace {

std::int32_t LimitarCuenta(std::int32_t valor) { return std::clamp(valor, 1, 32); }

std::int32_t Seleccion(std::int32_t valor, std::int32_t elementos) {
    return valor >= 0 && valor < elementos ? valor : -1;
}

}  // namespace

void AnadirLineasCabecera(std::vector<std::string>& lineas, const TRedNeuronal& red, std::int32_t seleccionRegla,
                          std::int32_t seleccionFuncion) {
    lineas.push_back(TextoEntero(red.NumeroEntradas()));
    lineas.push_back(TextoEntero(red.NeuronasCapaOculta()));
    lineas.push_back(TextoEntero(red.NeuronasCapaSalida()));
    lineas.push_back(TextoEntero(seleccionRegla));
    lineas.push_back(TextoEntero(seleccionFuncion));
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
    cabecera.SeleccionRegla = Seleccion(lector.Entero(4), ElementosListaRegla);
    cabecera.SeleccionFuncion = Seleccion(lector.Entero(5), ElementosListaFuncion);
    return cabecera;
}
