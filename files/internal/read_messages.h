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

// The notes about the optional blocks after an untrained file's patterns,
// each a sentence of its own for the load's message box.
// "El bloque <marker> (<what>) no se ha leído: <reason>.", then, when the
// reading stopped there, " Lo que le sigue en el fichero tampoco se ha leído."
std::string BlockNotReadNote(std::string_view marker, std::string_view what, std::string_view reason, bool restUnread);
// "El bloque <marker> aparece otra vez en la línea <n>: solo se ha leído el
// primero, y lo que sigue en el fichero no se ha leído."
std::string BlockRepeatedNote(std::string_view marker, std::int32_t line);
// "La línea <n>, '<text>', no empieza ningún bloque conocido; lo que sigue en
// el fichero no se ha leído."
std::string UnknownBlockNote(std::int32_t line, std::string_view text);
// The reasons of BlockNotReadNote:
// "el fichero termina antes de acabar el bloque"
std::string BlockEndsEarlyReason();
// "la marca de la línea <n> tiene espacios en blanco"
std::string MarkerBlanksReason(std::int32_t line);
// "la línea <n> es demasiado larga"
std::string BlockLongLineReason(std::int32_t line);
// "la línea <n>, '<text>', no es un número válido"
std::string BlockNotANumberReason(std::int32_t line, std::string_view text);
// "la línea <n>, '<text>', no cabe en un número en coma flotante"
std::string BlockOverflowReason(std::int32_t line, std::string_view text);
// "la línea <n>, '<text>', no es un número de patrones entre 0 y 100"
std::string TestCountReason(std::int32_t line, std::string_view text);
// "la línea <n>, '<text>', no es una tasa de aprendizaje η válida (mayor que 0 y como mucho 10)"
std::string LearningRateReason(std::int32_t line, std::string_view text);
// "la línea <n>, '<text>', no es un momento α válido (de 0 a 1, sin llegar a 1)"
std::string MomentumReason(std::int32_t line, std::string_view text);
// "el nombre de la línea <n> <fault>", the fault as NameFault gives it
std::string NameReason(std::int32_t line, std::string_view fault);
// "El nombre '<name>' no se puede guardar: <fault>"
std::string UnsavableNameMessage(std::string_view name, std::string_view fault);
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
