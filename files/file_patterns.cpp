#include "file_patterns.h"

#include "integer_text.h"
#include "line_reader.h"
#include "program_error.h"
#include "read_messages.h"
#include "real_text.h"

void AddPatternLines(std::vector<std::string>& lineas, const FilePatterns& patrones, char separador) {
    lineas.push_back(IntegerText(patrones.NumeroPatrones));
    for (const double valor : patrones.Entradas) lineas.push_back(RealText(valor, separador));
    for (const double valor : patrones.Salidas) lineas.push_back(RealText(valor, separador));
}

FilePatterns ReadPatterns(LineReader& lector, std::int32_t entradas, std::int32_t salidas) {
    FilePatterns patrones;
    const std::int32_t n = lector.Integer(6);
    if (n < 0 || n > kMaxPatterns) {
        throw ProgramError(NotAPatternCountMessage(lector.Line(6)));
    }
    patrones.NumeroPatrones = n;
    patrones.Entradas.reserve(static_cast<std::size_t>(n * entradas));
    patrones.Salidas.reserve(static_cast<std::size_t>(n * salidas));
    std::int32_t linea = 7;
    for (std::int32_t v = 0; v < n * entradas; ++v) patrones.Entradas.push_back(lector.Real(linea++));
    for (std::int32_t v = 0; v < n * salidas; ++v) patrones.Salidas.push_back(lector.Real(linea++));
    return patrones;
}
