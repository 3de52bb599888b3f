// SPDX-License-Identifier: GPL-3.0-or-later
#include "csv_patterns.h"

#include "csv_records.h"
#include "file_access.h"
#include "integer_text.h"
#include "network.h"
#include "network_description.h"
#include "program_error.h"
#include "read_messages.h"
#include "real_reading.h"
#include "real_text.h"

#include <algorithm>

namespace {

// Blank lines are skipped, yet counted, so that a file of nothing but line
// breaks ends as promptly as one of too many patterns.
constexpr std::int32_t kMaxRecords = 2 * (kMaxPatterns + 1);

bool IsBlank(std::string_view record) {
    return std::all_of(record.begin(), record.end(), [](char c) { return c == ' ' || c == '\t'; });
}

RealReading ReadCell(std::string_view cell) {
    // No group separator is part of a number, so a comma can only be a decimal one.
    return ParseReal(cell, cell.find(',') == std::string_view::npos ? '.' : ',');
}

bool IsHeader(const std::vector<std::string>& fields) {
    return std::any_of(fields.begin(), fields.end(),
                       [](const std::string& field) { return ReadCell(field).status == RealStatus::NotANumber; });
}

std::vector<double> ReadRow(const std::vector<std::string>& fields, std::string_view where, std::int32_t line) {
    std::vector<double> row;
    row.reserve(fields.size());
    for (std::size_t c = 0; c < fields.size(); ++c) {
        const RealReading reading = ReadCell(fields[c]);
        if (reading.status == RealStatus::Overflow)
            throw ProgramError(CsvOverflowMessage(where, line, c + 1, fields[c]));
        if (reading.status != RealStatus::Valid)
            throw ProgramError(CsvNotANumberMessage(where, line, c + 1, fields[c]));
        row.push_back(reading.value);
    }
    return row;
}

PatternRows ReadPatterns(ByteSource source, std::int32_t inputs, std::int32_t outputs, std::string_view where) {
    CsvRecordReader reader(std::move(source));
    const auto columns = static_cast<std::size_t>(inputs + outputs);
    PatternRows rows;
    std::string record;
    std::vector<std::string> fields;
    char separator = 0;
    bool first = true;
    for (std::int32_t records = 1; reader.Next(record); ++records) {
        if (records > kMaxRecords) throw ProgramError(kPatternLimitMessage);
        if (IsBlank(record)) continue;
        if (separator == 0) separator = DetectFieldSeparator(record);
        SplitFields(record, separator, fields);
        if (fields.size() != columns)
            throw ProgramError(CsvColumnCountMessage(where, reader.Line(), fields.size(), inputs, outputs));
        const bool header = first && IsHeader(fields);
        first = false;
        if (header) continue;
        if (rows.size() == static_cast<std::size_t>(kMaxPatterns)) throw ProgramError(kPatternLimitMessage);
        rows.push_back(ReadRow(fields, where, reader.Line()));
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
