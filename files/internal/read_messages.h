// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts of what reading a network file reports: each error a malformed
// or missing line gives, and the warning about a companion that does not fit.
// A line is quoted briefly (QuotedText).

#include <cstdint>
#include <string>
#include <string_view>

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

// "El fichero no es texto UTF-8": a UTF-16 byte order mark, for every file kind.
std::string NotUtf8Message();

// Reading patterns from comma-separated text (a file, or rows pasted from a
// spreadsheet). A record is named as the spreadsheet row it makes.
// "Fila <n>: el texto tiene un byte nulo"
std::string CsvNulByteMessage(std::int32_t record);
// "Fila <n>: la fila es demasiado larga"
std::string CsvLongLineMessage(std::int32_t record);
// "Fila <n>: faltan las comillas que cierran un campo"
std::string CsvOpenQuoteMessage(std::int32_t record);
// "El texto tiene más de <n> filas": more rows than a spreadsheet holds.
std::string CsvTooManyRecordsMessage(std::int32_t limit);
// "Fila <n>: tiene <found> columnas y la red necesita <wanted> (<inputs> entradas y <outputs> salidas)"
std::string CsvColumnCountMessage(std::int32_t record, std::size_t found, std::int32_t inputs, std::int32_t outputs);
// "Fila <n>, columna <c>: '<text>' no es un número válido"
std::string CsvNotANumberMessage(std::int32_t record, std::size_t column, std::string_view text);
// "Fila <n>, columna <c>: '<text>' no es un número válido con '<decimal>' como separador decimal": the
// text holds the other mark where no spreadsheet writes digit grouping.
std::string CsvOtherMarkMessage(std::int32_t record, std::size_t column, std::string_view text, char decimal);
// "Fila <n>, columna <c>: '<text>' no cabe en un número en coma flotante"
std::string CsvOverflowMessage(std::int32_t record, std::size_t column, std::string_view text);
// "No hay ningún patrón": the text holds no row with anything in it.
std::string CsvNoPatternsMessage();
// "Fila <n> es una cabecera y no le sigue ningún patrón"
std::string CsvOnlyHeaderMessage(std::int32_t record);
