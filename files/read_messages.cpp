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

namespace {

std::string LineQuoted(std::int32_t line, std::string_view text) {
    return "la línea " + IntegerText(line) + ", '" + QuotedText(text) + "',";
}

}  // namespace

std::string BlockNotReadNote(std::string_view marker, std::string_view what, std::string_view reason, bool restUnread) {
    std::string note = "El bloque " + std::string(marker) + " (" + std::string(what) + ") no se ha leído: " + std::string(reason) + ".";
    if (restUnread) note += " Lo que le sigue en el fichero tampoco se ha leído.";
    return note;
}

std::string BlockRepeatedNote(std::string_view marker, std::int32_t line) {
    return "El bloque " + std::string(marker) + " aparece otra vez en la línea " + IntegerText(line) +
           ": solo se ha leído el primero, y lo que sigue en el fichero no se ha leído.";
}

std::string UnknownBlockNote(std::int32_t line, std::string_view text) {
    return "La línea " + IntegerText(line) + ", '" + QuotedText(text) +
           "', no empieza ningún bloque conocido; lo que sigue en el fichero no se ha leído.";
}

std::string BlockEndsEarlyReason() { return "el fichero termina antes de acabar el bloque"; }

std::string MarkerBlanksReason(std::int32_t line) {
    return "la marca de la línea " + IntegerText(line) + " tiene espacios en blanco";
}

std::string BlockLongLineReason(std::int32_t line) { return "la línea " + IntegerText(line) + " es demasiado larga"; }

std::string BlockNotANumberReason(std::int32_t line, std::string_view text) {
    return LineQuoted(line, text) + " no es un número válido";
}

std::string BlockOverflowReason(std::int32_t line, std::string_view text) {
    return LineQuoted(line, text) + " no cabe en un número en coma flotante";
}

std::string TestCountReason(std::int32_t line, std::string_view text) {
    return LineQuoted(line, text) + " no es un número de patrones entre 0 y 100";
}

std::string LearningRateReason(std::int32_t line, std::string_view text) {
    return LineQuoted(line, text) + " no es una tasa de aprendizaje η válida (mayor que 0 y como mucho 10)";
}

std::string MomentumReason(std::int32_t line, std::string_view text) {
    return LineQuoted(line, text) + " no es un momento α válido (de 0 a 1, sin llegar a 1)";
}

std::string NameReason(std::int32_t line, std::string_view fault) {
    return "el nombre de la línea " + IntegerText(line) + " " + std::string(fault);
}

std::string UnsavableNameMessage(std::string_view name, std::string_view fault) {
    return "El nombre '" + QuotedText(name) + "' no se puede guardar: " + std::string(fault);
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
