// SPDX-License-Identifier: GPL-3.0-or-later
#include "csv_patterns.h"

#include "csv_row_reader.h"
#include "file_access.h"
#include "integer_text.h"
#include "network.h"
#include "network_description.h"
#include "program_error.h"
#include "real_text.h"

#include <algorithm>
#include <cmath>

namespace {

CsvPatternFile ReadPatterns(ByteSource source, std::int32_t inputs, std::int32_t outputs, char regional) {
    CsvRowReader reader(std::move(source), inputs, outputs, regional);
    if (reader.LeadingRows() > static_cast<std::size_t>(kMaxPatterns)) throw ProgramError(kPatternLimitMessage);
    CsvPatternFile file{PatternRows(reader.LeadingRows()), reader.Header()};
    for (std::vector<double>& row : file.rows) reader.Next(row);
    return file;
}

// Column `index`'s (from 1) own name, or the word and the index.
std::string HeaderCell(const std::vector<std::string>& names, std::int32_t index, const char* word) {
    const auto at = static_cast<std::size_t>(index - 1);
    return at < names.size() && !names[at].empty() ? names[at] : word + IntegerText(index);
}

// Appends the records' fields, joined by the field separator, each record
// ended by CR LF. Where ";" parts the fields every field is quoted: a
// spreadsheet that splits at ";", "," and tabs at once then keeps a number
// with a decimal comma whole, and still reads it as a number.
class CsvWriter {
public:
    explicit CsvWriter(char decimalSeparator)
        : decimal_(decimalSeparator), field_(CsvFieldSeparator(decimalSeparator)), quoted_(field_ == ';') {}

    void Text(std::string_view text) {
        Separate();
        if (quoted_) text_ += '"';
        for (const char c : text) {
            if (c == '"' && quoted_) text_ += '"';
            text_ += c;
        }
        if (quoted_) text_ += '"';
    }
    void Number(double value) { Text(ShortestText(value, decimal_)); }
    void Integer(std::int64_t value) { Text(IntegerText(value)); }
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
    bool quoted_;
    bool fresh_ = true;
    std::string text_;
};

void WriteLayerWeights(CsvWriter& out, const char* name, const TCapaNeuronal& layer) {
    for (int j = 1; j <= layer.NumeroNeuronas(); ++j) {
        for (int k = 0; k <= layer.NumeroEntradas(); ++k) {
            out.Text(name);
            out.Integer(j);
            out.Integer(k);
            out.Number(layer.Neuronas[j].Pesos[static_cast<std::size_t>(k)]);
            out.EndRecord();
        }
    }
}

}  // namespace

PatternRows ReadCsvPatterns(const std::string& path, std::int32_t inputs, std::int32_t outputs,
                            char regionalDecimal) {
    return ReadCsvPatternFile(path, inputs, outputs, regionalDecimal).rows;
}

CsvPatternFile ReadCsvPatternFile(const std::string& path, std::int32_t inputs, std::int32_t outputs,
                                  char regionalDecimal) {
    FileForReading file(path);
    return ReadPatterns(file.Source(), inputs, outputs, regionalDecimal);
}

PatternRows ReadPatternText(std::string_view text, std::int32_t inputs, std::int32_t outputs, char regionalDecimal) {
    return ReadPatterns(TextSource(text), inputs, outputs, regionalDecimal).rows;
}

char CsvFieldSeparator(char decimalSeparator) { return decimalSeparator == ',' ? ';' : ','; }

std::string CsvPatternText(const PatternRows& rows, std::int32_t inputs, std::int32_t outputs, char decimalSeparator,
                           const std::vector<std::string>& inputNames, const std::vector<std::string>& outputNames) {
    CsvWriter out(decimalSeparator);
    for (std::int32_t i = 1; i <= inputs; ++i) out.Text(HeaderCell(inputNames, i, "Entrada"));
    for (std::int32_t k = 1; k <= outputs; ++k) out.Text(HeaderCell(outputNames, k, "Salida"));
    out.EndRecord();
    for (const std::vector<double>& row : rows) {
        for (const double value : row) out.Number(value);
        out.EndRecord();
    }
    return out.Take();
}

std::string CsvWeightsText(const TRedNeuronal& network, char decimalSeparator) {
    CsvWriter out(decimalSeparator);
    for (const char* name : {"Capa", "Neurona", "Índice (0: sesgo, w0)", "Peso"}) out.Text(name);
    out.EndRecord();
    WriteLayerWeights(out, "Oculta", network.CapaOculta);
    WriteLayerWeights(out, "Salida", network.CapaSalida);
    return out.Take();
}

std::string CsvSeriesText(const std::vector<std::pair<std::int64_t, double>>& points, std::int64_t stretch,
                          char decimalSeparator) {
    CsvWriter out(decimalSeparator);
    out.Text("Iteración");
    out.Text(stretch <= 1 ? std::string("Error (%) de cada iteración")
                          : "Error (%), resumen del gráfico: el menor y el mayor de cada tramo de " +
                                IntegerText(stretch) + " iteraciones");
    out.EndRecord();
    const std::int64_t width = std::max<std::int64_t>(stretch, 1);
    for (std::size_t begin = 0, end = 0; begin < points.size(); begin = end) {
        // The points of one stretch, then its least and greatest error in the order they came.
        const std::int64_t part = (points[begin].first - 1) / width;
        std::size_t least = begin;
        std::size_t greatest = begin;
        for (end = begin; end < points.size() && (points[end].first - 1) / width == part; ++end) {
            if (points[end].second < points[least].second) least = end;
            if (points[end].second > points[greatest].second) greatest = end;
        }
        for (const std::size_t p : {std::min(least, greatest), std::max(least, greatest)}) {
            out.Integer(points[p].first);
            out.Number(points[p].second);
            out.EndRecord();
            if (least == greatest) break;
        }
    }
    return out.Take();
}

std::string CsvEpochSeriesText(const std::vector<CsvEpochErrors>& rows, char decimalSeparator) {
    CsvWriter out(decimalSeparator);
    for (const char* header : {"Época", "Iteración", "Error de entrenamiento: media de ½·Σ(d − y)² por patrón",
                               "Error de prueba: media de ½·Σ(d − y)² por patrón"})
        out.Text(header);
    out.EndRecord();
    const auto error = [&out](double value) {
        if (std::isnan(value))
            out.Text({});
        else
            out.Number(value);
    };
    for (const CsvEpochErrors& row : rows) {
        out.Integer(row.epoch);
        out.Integer(row.iteration);
        error(row.training);
        error(row.test);
        out.EndRecord();
    }
    return out.Take();
}
