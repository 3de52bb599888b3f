#include "lector_lineas.h"

#include "lineas_fichero.h"
#include "numero_texto.h"
#include "program_error.h"

#include <string>

LectorLineas::LectorLineas(std::string_view texto, char separador)
    : lineas_(DividirLineas(texto)), separador_(separador) {}

std::string_view LectorLineas::Linea(std::int32_t numero) const {
    if (numero < 1 || static_cast<std::size_t>(numero) > lineas_.size()) {
        // The message counts lines from 0.
        throw ProgramError("List index out of bounds (" + TextoEntero(numero - 1) + ")");
    }
    return lineas_[static_cast<std::size_t>(numero - 1)];
}

std::int32_t LectorLineas::Entero(std::int32_t numero) const {
    std::string_view linea = Linea(numero);
    std::optional<std::int32_t> valor = LeerEntero(linea);
    if (!valor) throw ProgramError("'" + std::string(linea) + "' is not a valid integer value");
    return *valor;
}

double LectorLineas::Real(std::int32_t numero) const {
    std::string_view linea = Linea(numero);
    LecturaReal lectura = AnalizarReal(linea, separador_);
    switch (lectura.estado) {
    case EstadoLectura::Correcta:
        return lectura.valor;
    case EstadoLectura::Desbordamiento:
        throw ProgramError("Floating point overflow");
    case EstadoLectura::NoEsNumero:
        break;
    }
    throw ProgramError("'" + std::string(linea) + "' is not a valid floating point value");
}
