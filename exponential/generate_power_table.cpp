// Writes power_table.h to standard output.

#include <cstdio>

#include "power_table_generator.h"

int main() {
    const std::string texto = PowerTableText();
    return std::fwrite(texto.data(), 1, texto.size(), stdout) == texto.size() ? 0 : 1;
}
