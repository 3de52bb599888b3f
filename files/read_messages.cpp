// SPDX-License-Identifier: GPL-3.0-or-later
#include "read_messages.h"

#include "csv_patterns.h"
#include "integer_text.h"
#include "quoted_text.h"

namespace {

std::string Quoting(std::string_view line, std::string_view what) {
    return "'" + QuotedText(line) + "' is not a valid " + std::string(what);
}

}  // namespace

std::string NotAnIntegerMessage(std::string_view line) { return Quoting(line, "integer value"); }

std::string NotARealMessage(std::string_view line) { return Quoting(line, "floating point value"); }

std::string NotAPatternCountMessage(std::string_view line) { return Quoting(line, "pattern count"); }

std::string MissingLineMessage(std::int32_t index) { return "List index out of bounds (" + IntegerText(index) + ")"; }

std::string CannotOpenMessage(const std::string& path) { return "Cannot open file " + path; }

std::string CompanionMismatchWarning(const std::string& companionPath) {
    return "El fichero de patrones " + companionPath + " no corresponde a la topología de la red; no se ha cargado.";
}

std::string NotUtf8Message() { return "El fichero no es texto UTF-8"; }

namespace {

std::string Row(std::int32_t record) { return "Fila " + IntegerText(record); }

std::string CellPrefix(std::int32_t record, std::size_t column, std::string_view text) {
    return Row(record) + ", columna " + IntegerText(static_cast<std::int64_t>(column)) + ": '" + QuotedText(text) +
           "'";
}

}  // namespace

std::string CsvNulByteMessage(std::int32_t record) { return Row(record) + ": el texto tiene un byte nulo"; }

std::string CsvLongLineMessage(std::int32_t record) { return Row(record) + ": la fila es demasiado larga"; }

std::string CsvOpenQuoteMessage(std::int32_t record) {
    return Row(record) + ": faltan las comillas que cierran un campo";
}

std::string CsvTooManyRecordsMessage(std::int32_t limit) {
    return "El texto tiene más de " + IntegerText(limit) + " filas";
}

std::string CsvColumnCountMessage(std::int32_t record, std::size_t found, std::int32_t inputs, std::int32_t outputs) {
    return Row(record) + ": tiene " + IntegerText(static_cast<std::int64_t>(found)) + " columnas y la red necesita " +
           IntegerText(inputs + outputs) + " (" + IntegerText(inputs) + " entradas y " + IntegerText(outputs) +
           " salidas)";
}

std::string CsvNotANumberMessage(std::int32_t record, std::size_t column, std::string_view text) {
    return CellPrefix(record, column, text) + " no es un número válido";
}

std::string CsvOtherMarkMessage(std::int32_t record, std::size_t column, std::string_view text, char decimal) {
    return CellPrefix(record, column, text) + " no es un número válido con '" + std::string(1, decimal) +
           "' como separador decimal";
}

std::string CsvOverflowMessage(std::int32_t record, std::size_t column, std::string_view text) {
    return CellPrefix(record, column, text) + " no cabe en un número en coma flotante";
}

std::string CsvNoPatternsMessage() { return "No hay ningún patrón"; }

std::string CsvOnlyHeaderMessage(std::int32_t record) {
    return Row(record) + " es una cabecera y no le sigue ningún patrón";
}

std::string PastedTextTooLongMessage() {
    return "El texto pegado es demasiado largo: la tabla admite como mucho " + IntegerText(kMaxPatterns) +
           " patrones";
}
