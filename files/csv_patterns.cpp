// SPDX-License-Identifier: GPL-3.0-or-later
#include "csv_patterns.h"

#include "csv_row_reader.h"
#include "file_access.h"
#include "integer_text.h"
#include "network.h"
#include "network_description.h"
#include "program_error.h"
#include "read_messages.h"
#include "real_text.h"

#include <algorithm>

namespace {

// Blank lines are skipped, yet counted, so that a file of nothing but line
// breaks ends as promptly as one of too many patterns.
constexpr std::int32_t kMaxRecords = 2 * (kMaxPatterns + 1);

PatternRows ReadPatterns(ByteSource source, std::int32_t inputs, std::int32_t outputs, std::string_view where) {
    CsvRowReader reader(std::move(source), inputs, outputs, where);
    PatternRows rows;
    std::vector<double> row;
    for (std::int32_t records = 1; reader.NextRecord(); ++records) {
        if (records > kMaxRecords) throw ProgramError(kPatternLimitMessage);
        if (reader.Take(row) != CsvRowReader::Record::Values) continue;
        if (rows.size() == static_cast<std::size_t>(kMaxPatterns)) throw ProgramError(kPatternLimitMessage);
        rows.push_back(row);
    }
    if (rows.empty()) throw ProgramError(CsvNoPatternsMessage());
    return rows;
}

// Appends the records' fields, joined by the field separator, each record
// ended by CR LF.
class CsvWriter {
public:
    explicit CsvWriter(char decimalSeparator)
        : decimal_(decimalSeparator), field_(CsvFieldSeparator(decimalSeparator)) {}

    void Text(std::string_view text) {
        Separate();
        text_ += text;
    }
    void Number(double value) {
        Separate();
        text_ += ShortestText(value, decimal_);
    }
    void EndRecord() {
        text_ += "\r\n";
        fresh_ = true;
    }
    std::string Take() { return std::move(text_); }

private:
    void Separate() {
        if (!fresh_) text_ += field_;
        fresh_ = false;
    }

    char decimal_;
    char field_;
    bool fresh_ = true;
    std::string text_;
};

void WriteLayerWeights(CsvWriter& out, const char* name, const TCapaNeuronal& layer) {
    for (int j = 1; j <= layer.NumeroNeuronas(); ++j) {
        for (int k = 0; k <= layer.NumeroEntradas(); ++k) {
            out.Text(name);
            out.Text(IntegerText(j));
            out.Text(IntegerText(k));
            out.Number(layer.Neuronas[j].Pesos[static_cast<std::size_t>(k)]);
            out.EndRecord();
        }
    }
}

}  // namespace

PatternRows ReadCsvPatterns(const std::string& path, std::int32_t inputs, std::int32_t outputs) {
    FileForReading file(path);
    return ReadPatterns(file.Source(), inputs, outputs, "Línea");
}

PatternRows ReadPatternText(std::string_view text, std::int32_t inputs, std::int32_t outputs,
                            std::string_view where) {
    return ReadPatterns(TextSource(text), inputs, outputs, where);
}

char CsvFieldSeparator(char decimalSeparator) { return decimalSeparator == ',' ? ';' : ','; }

std::string CsvPatternText(const PatternRows& rows, std::int32_t inputs, std::int32_t outputs, char decimalSeparator) {
    CsvWriter out(decimalSeparator);
    for (std::int32_t i = 1; i <= inputs; ++i) out.Text("Entrada" + IntegerText(i));
    for (std::int32_t k = 1; k <= outputs; ++k) out.Text("Salida" + IntegerText(k));
    out.EndRecord();
    for (const std::vector<double>& row : rows) {
        for (const double value : row) out.Number(value);
        out.EndRecord();
    }
    return out.Take();
}

std::string CsvWeightsText(const TRedNeuronal& network, char decimalSeparator) {
    CsvWriter out(decimalSeparator);
    for (const char* name : {"Capa", "Neurona", "Índice", "Peso"}) out.Text(name);
    out.EndRecord();
    WriteLayerWeights(out, "Oculta", network.CapaOculta);
    WriteLayerWeights(out, "Salida", network.CapaSalida);
    return out.Take();
}

std::string CsvSeriesText(const std::vector<std::pair<double, double>>& points, char decimalSeparator) {
    CsvWriter out(decimalSeparator);
    out.Text("Iteración");
    out.Text("Error (%)");
    out.EndRecord();
    for (const auto& [iteration, error] : points) {
        out.Number(iteration);
        out.Number(error);
        out.EndRecord();
    }
    return out.Take();
}
