// Writes tabla_potencias.h to standard output.

#include <cstdio>

#include "generador_tabla.h"

int main() {
    const std::string texto = TextoTablaPotencias();
    return std::fwrite(texto.data(), 1, texto.size(), stdout) == texto.size() ? 0 : 1;
}
