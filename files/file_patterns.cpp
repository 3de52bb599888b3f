#include "file_patterns.h"

#include "work_state.h"
#include "line_reader.h"
#include "numero_texto.h"
#include "program_error.h"

void AddPatternLines(std::vector<std::string>& lineas, const WorkState& estado, std::int32_t entradas,
                          std::int32_t salidas, char separador) {
    const std::int32_t n = estado.NumeroPatrones;
    lineas.push_back(TextoEntero(n));
    for (std::int32_t p = 1; p <= n; ++p) {
        for (std::int32_t i = 1; i <= entradas; ++i) lineas.push_back(TextoReal(estado.EntradasPatrones[p][i], separador));
    }
    for (std::int32_t p = 1; p <= n; ++p) {
        for (std::int32_t k = 1; k <= salidas; ++k) lineas.push_back(TextoReal(estado.SalidasPatrones[p][k], separador));
    }
}

FilePatterns ReadPatterns(LineReader& lector, std::int32_t entradas, std::int32_t salidas) {
    FilePatterns patrones;
    const std::int32_t n = lector.Integer(6);
    if (n < 0 || n > WorkState::MaxPatrones) {
        throw ProgramError("'" + lector.Quote(6) + "' is not a valid pattern count");
    }
    patrones.NumeroPatrones = n;
    patrones.Entradas.reserve(static_cast<std::size_t>(n * entradas));
    patrones.Salidas.reserve(static_cast<std::size_t>(n * salidas));
    std::int32_t linea = 7;
    for (std::int32_t v = 0; v < n * entradas; ++v) patrones.Entradas.push_back(lector.Real(linea++));
    for (std::int32_t v = 0; v < n * salidas; ++v) patrones.Salidas.push_back(lector.Real(linea++));
    return patrones;
}
