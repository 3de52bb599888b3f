// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_patterns.h"

#include "integer_text.h"
#include "line_reader.h"
#include "program_error.h"
#include "read_messages.h"
#include "real_text.h"

void AddPatternLines(std::vector<std::string>& lines, const FilePatterns& patterns, char separator) {
    lines.push_back(IntegerText(patterns.NumeroPatrones));
    for (const double value : patterns.Entradas) lines.push_back(RealText(value, separator));
    for (const double value : patterns.Salidas) lines.push_back(RealText(value, separator));
}

FilePatterns ReadPatterns(LineReader& reader, std::int32_t inputs, std::int32_t outputs) {
    FilePatterns patterns;
    const std::int32_t n = reader.Integer(6);
    if (n < 0 || n > kMaxPatterns) {
        throw ProgramError(NotAPatternCountMessage(reader.Line(6)));
    }
    patterns.NumeroPatrones = n;
    patterns.Entradas.reserve(static_cast<std::size_t>(n * inputs));
    patterns.Salidas.reserve(static_cast<std::size_t>(n * outputs));
    std::int32_t line = 7;
    for (std::int32_t v = 0; v < n * inputs; ++v) patterns.Entradas.push_back(reader.Real(line++));
    for (std::int32_t v = 0; v < n * outputs; ++v) patterns.Salidas.push_back(reader.Real(line++));
    return patterns;
}

std::int32_t LastPatternLine(const FilePatterns& patterns, std::int32_t inputs, std::int32_t outputs) {
    return 6 + patterns.NumeroPatrones * (inputs + outputs);
}
