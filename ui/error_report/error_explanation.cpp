// SPDX-License-Identifier: GPL-3.0-or-later
#include "error_explanation.h"

#include "program_error.h"

namespace {

// A kind of message: how it starts and how it ends (either may be empty),
// or the whole message.
struct Explanation {
    std::string_view start;
    std::string_view end;
    const char* sentence;
    bool whole = false;
};

constexpr Explanation kExplanations[] = {
    {"Cannot open file ", "", "No se pudo abrir el fichero: compruebe que existe y que es un fichero de texto."},
    {"Cannot create file ", "",
     "No se pudo guardar el fichero: compruebe que la carpeta existe, que admite escritura y que queda espacio."},
    {"'", "' is not a valid integer value",
     "Se esperaba un número entero: si viene de un fichero, compruebe que es una red guardada por este programa."},
    {"'", "' is not a valid floating point value",
     "Se esperaba un número real: si viene de un fichero, compruebe que es una red guardada por este programa."},
    {"'", "' is not a valid pattern count",
     "El número de patrones del fichero no es válido: debe estar entre 0 y 100."},
    {"List index out of bounds (", ")", "El fichero termina antes de tiempo: le faltan líneas para la red que describe."},
    {kOverflowMessage, "", "Un valor se salió del rango de los números reales: use valores más pequeños o cree la red de nuevo.",
     true},
};

}  // namespace

QString ErrorExplanation(std::string_view message) {
    for (const Explanation& kind : kExplanations) {
        const bool fits = kind.whole ? message == kind.start
                                     : message.size() >= kind.start.size() + kind.end.size() &&
                                           message.starts_with(kind.start) && message.ends_with(kind.end);
        if (fits) return QString::fromUtf8(kind.sentence);
    }
    return {};
}
