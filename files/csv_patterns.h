// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Patterns and results as comma-separated text, for spreadsheets: what
// "Importar CSV…" and a paste into the pattern grid read, and what the
// export buttons write. A row holds a pattern's inputs, then its expected
// outputs.

#include "line_splitter.h"
#include "network_description.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TRedNeuronal;

using PatternRows = std::vector<std::vector<double>>;

// Reads every record of a file before anything changes. As with the network
// files, only a regular file opens, and reading stops after the records 100
// patterns need. Empty rows, and rows of bare separators, are skipped
// wherever they are and count for nothing. A first "sep=X" line sets the
// field separator; otherwise it is the one (tab, ";", "," or blanks) with
// which the rows split into the network's columns of numbers. A first row
// is a header when none of its cells reads as a number. The file has one
// decimal separator, "." or ",": the one its cells show, else "," under ";"
// and "." under ",", else `regionalDecimal`; the other mark is digit
// grouping by three ("1.234,5"). Every record must have `inputs` + `outputs`
// fields. Throws ProgramError naming the spreadsheet row (and the column) at
// fault, "Máximo número de patrones 100" past 100 patterns, and "No hay
// ningún patrón" for a text without a row that holds anything.
PatternRows ReadCsvPatterns(const std::string& path, std::int32_t inputs, std::int32_t outputs, char regionalDecimal);

// The same, with the header row's cells (empty when the file has none),
// which name the columns.
struct CsvPatternFile {
    PatternRows rows;
    std::vector<std::string> header;
};
CsvPatternFile ReadCsvPatternFile(const std::string& path, std::int32_t inputs, std::int32_t outputs,
                                  char regionalDecimal);

// The same from text, as pasted from a spreadsheet or a document.
PatternRows ReadPatternText(std::string_view text, std::int32_t inputs, std::int32_t outputs, char regionalDecimal);

// The longest text a paste reads: 101 records of the longest length, with
// their line breaks. A longer text holds more than the table does, and is
// refused with PastedTextTooLongMessage() before it is copied.
inline constexpr std::size_t kMaxPastedText = static_cast<std::size_t>(kMaxPatterns + 1) * (kMaxLineLength + 2);
// "El texto pegado es demasiado largo: la tabla admite como mucho 100 patrones"
std::string PastedTextTooLongMessage();

// The field separator of what the program writes: ";" where the decimal
// separator is ",", as spreadsheets there expect; "," otherwise.
char CsvFieldSeparator(char decimalSeparator);

// A header record and one record per row, each value in its shortest form
// that reads back to the same double; CR LF after every record. Under ";"
// every field is in quotes. The header holds input i's name where
// `inputNames`[i − 1] is one that is not empty, "Entrada<i>" otherwise, and
// the same of the outputs ("Salida<k>").
std::string CsvPatternText(const PatternRows& rows, std::int32_t inputs, std::int32_t outputs, char decimalSeparator,
                           const std::vector<std::string>& inputNames = {},
                           const std::vector<std::string>& outputNames = {});

// Every weight of the network: layer ("Oculta" or "Salida"), neuron (from 1),
// index (0 the bias weight w0, as the header says) and weight, in its
// shortest exact form.
std::string CsvWeightsText(const TRedNeuronal& network, char decimalSeparator);

// The error series: points (iteration from 1, error in percent) in
// ascending iteration. With `stretch` 1 every point is a row; otherwise the
// points are the chart's summary, and each stretch of that many iterations
// gives its least and its greatest error, in iteration order. The header
// says which.
std::string CsvSeriesText(const std::vector<std::pair<std::int64_t, double>>& points, std::int64_t stretch,
                          char decimalSeparator);

// One row of the errors per epoch: the epoch of its run, the iteration
// (from 1), and the mean of ½·Σ(d − y)² over each set; NaN is written as an
// empty cell (no test patterns, or a pass that overflowed).
struct CsvEpochErrors {
    std::int64_t epoch = 0;
    std::int64_t iteration = 0;
    double training = 0;
    double test = 0;
};

// The errors per epoch, one row each, under a header that says what they are.
std::string CsvEpochSeriesText(const std::vector<CsvEpochErrors>& rows, char decimalSeparator);
