// SPDX-License-Identifier: GPL-3.0-or-later
#include "read_messages.h"

#include "integer_text.h"

namespace {

constexpr std::size_t kQuoteLength = 64;

std::string Quoting(std::string_view line, std::string_view what) {
    return "'" + QuotedLine(line) + "' is not a valid " + std::string(what);
}

}  // namespace

std::string QuotedLine(std::string_view line) {
    if (line.size() <= kQuoteLength) return std::string(line);
    std::size_t cut = kQuoteLength;
    while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
    return std::string(line.substr(0, cut)) + "\u2026";
}

std::string NotAnIntegerMessage(std::string_view line) { return Quoting(line, "integer value"); }

std::string NotARealMessage(std::string_view line) { return Quoting(line, "floating point value"); }

std::string NotAPatternCountMessage(std::string_view line) { return Quoting(line, "pattern count"); }

std::string MissingLineMessage(std::int32_t index) { return "List index out of bounds (" + IntegerText(index) + ")"; }

std::string CannotOpenMessage(const std::string& path) { return "Cannot open file " + path; }

std::string CompanionMismatchWarning(const std::string& companionPath) {
    return "El fichero de patrones " + companionPath + " no corresponde a la topología de la red; no se ha cargado.";
}

std::string CsvNotUtf8Message() { return "El fichero no es texto UTF-8"; }

std::string CsvNulByteMessage(std::int32_t line) {
    return "Línea " + IntegerText(line) + ": el texto tiene un byte nulo";
}

std::string CsvLongLineMessage(std::int32_t line) {
    return "Línea " + IntegerText(line) + ": la línea es demasiado larga";
}

std::string CsvOpenQuoteMessage(std::int32_t line) {
    return "Línea " + IntegerText(line) + ": faltan las comillas que cierran un campo";
}

std::string CsvColumnCountMessage(std::string_view where, std::int32_t record, std::size_t found,
                                  std::int32_t inputs, std::int32_t outputs) {
    return std::string(where) + " " + IntegerText(record) + ": tiene " + IntegerText(static_cast<std::int64_t>(found)) +
           " columnas y la red necesita " + IntegerText(inputs + outputs) + " (" + IntegerText(inputs) +
           " entradas y " + IntegerText(outputs) + " salidas)";
}

namespace {

std::string CellPrefix(std::string_view where, std::int32_t record, std::size_t column, std::string_view text) {
    return std::string(where) + " " + IntegerText(record) + ", columna " +
           IntegerText(static_cast<std::int64_t>(column)) + ": '" + QuotedLine(text) + "'";
}

}  // namespace

std::string CsvNotANumberMessage(std::string_view where, std::int32_t record, std::size_t column,
                                 std::string_view text) {
    return CellPrefix(where, record, column, text) + " no es un número válido";
}

std::string CsvOverflowMessage(std::string_view where, std::int32_t record, std::size_t column,
                               std::string_view text) {
    return CellPrefix(where, record, column, text) + " no cabe en un número en coma flotante";
}

std::string CsvNoPatternsMessage() { return "No hay ningún patrón"; }
