// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Patterns and results as comma-separated text, for spreadsheets: what
// "Importar CSV…" and a paste into the pattern grid read, and what the
// export buttons write. A row holds a pattern's inputs, then its expected
// outputs.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TRedNeuronal;

using PatternRows = std::vector<std::vector<double>>;

// Reads every record of a file before anything changes. As with the network
// files, only a regular file opens, and reading stops after the records 100
// patterns need. Fields are separated by tabs, ";" or ",", whichever the
// first record shows; each number may have "," or "." as its decimal
// separator. A first record that is not all numbers is a header. Every
// record must have `inputs` + `outputs` fields. Throws ProgramError naming
// the line (and the column) at fault, "Máximo número de patrones 100" past
// 100 patterns, and "No hay ningún patrón" for a file without one.
PatternRows ReadCsvPatterns(const std::string& path, std::int32_t inputs, std::int32_t outputs);

// The same from text; `where` names a record in the messages ("Línea" for a
// file, "Fila" for rows pasted from a spreadsheet).
PatternRows ReadPatternText(std::string_view text, std::int32_t inputs, std::int32_t outputs,
                            std::string_view where);

// The field separator of what the program writes: ";" where the decimal
// separator is ",", as spreadsheets there expect; "," otherwise.
char CsvFieldSeparator(char decimalSeparator);

// A header record ("Entrada1", …, "Salida1", …) and one record per row, each
// value in its shortest form that reads back to the same double; CR LF after
// every record.
std::string CsvPatternText(const PatternRows& rows, std::int32_t inputs, std::int32_t outputs, char decimalSeparator);

// Every weight of the network: layer ("Oculta" or "Salida"), neuron (from 1),
// index (0 the bias weight) and weight, in its shortest exact form.
std::string CsvWeightsText(const TRedNeuronal& network, char decimalSeparator);

// Points (iteration, error in percent) as they are held.
std::string CsvSeriesText(const std::vector<std::pair<double, double>>& points, char decimalSeparator);
