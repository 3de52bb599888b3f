#include "lineas_fichero.h"

std::vector<std::string_view> DividirLineas(std::string_view texto) {
    texto = texto.substr(0, texto.find('\0'));
    std::vector<std::string_view> lineas;
    std::size_t inicio = 0;
    std::size_t i = 0;
    while (i < texto.size()) {
        char c = texto[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lineas.push_back(texto.substr(inicio, i - inicio));
        ++i;
        if (c == '\r' && i < texto.size() && texto[i] == '\n') ++i;
        inicio = i;
    }
    if (inicio < texto.size()) lineas.push_back(texto.substr(inicio));
    return lineas;
}

std::string UnirLineas(const std::vector<std::string>& lineas) {
    std::size_t longitud = 0;
    for (const std::string& linea : lineas) longitud += linea.size() + 2;
    std::string texto;
    texto.reserve(longitud);
    for (const std::string& linea : lineas) {
        texto += linea;
        texto += "\r\n";
    }
    return texto;
}
