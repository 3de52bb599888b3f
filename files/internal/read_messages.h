// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts of what reading a network file reports: each error a malformed
// or missing line gives, and the warning about a companion that does not fit.
// A line is quoted cut to its first 64 bytes (never inside a UTF-8
// character) followed by "…".

#include <cstdint>
#include <string>
#include <string_view>

std::string QuotedLine(std::string_view line);

// "'<line>' is not a valid integer value"
std::string NotAnIntegerMessage(std::string_view line);
// "'<line>' is not a valid floating point value"
std::string NotARealMessage(std::string_view line);
// "'<line>' is not a valid pattern count"
std::string NotAPatternCountMessage(std::string_view line);
// "List index out of bounds (<index>)": the index counts lines from 0.
std::string MissingLineMessage(std::int32_t index);
// "Cannot open file <path>"
std::string CannotOpenMessage(const std::string& path);
// A companion whose counts differ from the trained file's is not loaded.
std::string CompanionMismatchWarning(const std::string& companionPath);

// Reading patterns from comma-separated text (a file, or rows pasted from a
// spreadsheet, whose records `where` names "Línea" or "Fila").
// "El fichero no es texto UTF-8"
std::string CsvNotUtf8Message();
// "Línea <n>: el texto tiene un byte nulo"
std::string CsvNulByteMessage(std::int32_t line);
// "Línea <n>: la línea es demasiado larga"
std::string CsvLongLineMessage(std::int32_t line);
// "Línea <n>: faltan las comillas que cierran un campo"
std::string CsvOpenQuoteMessage(std::int32_t line);
// "<where> <n>: tiene <found> columnas y la red necesita <wanted> (<inputs> entradas y <outputs> salidas)"
std::string CsvColumnCountMessage(std::string_view where, std::int32_t record, std::size_t found,
                                  std::int32_t inputs, std::int32_t outputs);
// "<where> <n>, columna <c>: '<text>' no es un número válido"
std::string CsvNotANumberMessage(std::string_view where, std::int32_t record, std::size_t column,
                                 std::string_view text);
// "<where> <n>, columna <c>: '<text>' no cabe en un número en coma flotante"
std::string CsvOverflowMessage(std::string_view where, std::int32_t record, std::size_t column,
                               std::string_view text);
// "No hay ningún patrón"
std::string CsvNoPatternsMessage();
