// SPDX-License-Identifier: GPL-3.0-or-later
#include "csv_patterns.h"

#include "csv_numbers.h"
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
#include <array>

namespace {

// A spreadsheet's rows: a text with more, even empty ones, is no sheet, and
// ends here in bounded time.
constexpr std::int32_t kMaxRecords = std::int32_t{1} << 20;

// Field separators, in the order that settles a tie.
constexpr std::array<char, 4> kFieldSeparators = {'\t', ';', ',', kBlankSeparator};

// A record that is no empty row, with the spreadsheet row it makes.
struct Record {
    std::int32_t row;
    std::string text;
};

using Fields = std::vector<std::string>;

bool IsHeader(const Fields& fields) {
    return std::none_of(fields.begin(), fields.end(), [](const std::string& cell) { return LooksLikeNumber(cell); });
}

// How well the records split with one separator: every record has the
// network's columns, then how many cells read as numbers, then how few of
// the others hold another separator inside (so were split with the wrong one).
struct SeparatorFit {
    bool columnsFit = true;
    std::int64_t numbers = 0;
    std::int64_t crowded = 0;
    std::int64_t others = 0;  // cells of the rows after a header that read as no number

    // No other separator can do better.
    bool Perfect() const { return columnsFit && others == 0; }

    bool operator>(const SeparatorFit& other) const {
        if (columnsFit != other.columnsFit) return columnsFit;
        if (numbers != other.numbers) return numbers > other.numbers;
        return crowded < other.crowded;
    }
};

// Whether a separator other than `separator` lies inside the cell's text.
bool HoldsOtherSeparator(std::string_view cell, char separator) {
    const std::size_t first = cell.find_first_not_of(" \t");
    if (first == std::string_view::npos) return false;
    const std::string_view inner = cell.substr(first, cell.find_last_not_of(" \t") - first + 1);
    return std::any_of(kFieldSeparators.begin(), kFieldSeparators.end(), [&](char other) {
        return other != separator && inner.find(other) != std::string_view::npos;
    });
}

SeparatorFit Fit(const std::vector<Record>& records, char separator, std::size_t columns) {
    SeparatorFit fit;
    Fields fields;
    for (std::size_t r = 0; r < records.size(); ++r) {
        SplitFields(records[r].text, separator, fields);
        fit.columnsFit = fit.columnsFit && fields.size() == columns;
        if (r == 0 && IsHeader(fields)) continue;
        for (const std::string& cell : fields) {
            if (LooksLikeNumber(cell)) {
                ++fit.numbers;
                continue;
            }
            ++fit.others;
            if (HoldsOtherSeparator(cell, separator)) ++fit.crowded;
        }
    }
    return fit;
}

// The field separator that the rows agree on, not the first one a record
// happens to hold: a header cell may hold another.
char ChooseFieldSeparator(const std::vector<Record>& records, std::size_t columns) {
    char best = kFieldSeparators.front();
    SeparatorFit bestFit = Fit(records, best, columns);
    for (std::size_t s = 1; s < kFieldSeparators.size() && !bestFit.Perfect(); ++s) {
        const SeparatorFit fit = Fit(records, kFieldSeparators[s], columns);
        if (fit > bestFit) {
            best = kFieldSeparators[s];
            bestFit = fit;
        }
    }
    return best;
}

// The file's one decimal separator: the one its cells show, else the one
// that goes with its field separator in what spreadsheets write, else the
// regional one.
char ChooseDecimalSeparator(const std::vector<Fields>& rows, char fieldSeparator, char regional) {
    std::int64_t points = 0;
    std::int64_t commas = 0;
    for (const Fields& row : rows) {
        for (const std::string& cell : row) {
            const char vote = DecimalVote(cell);
            points += vote == '.';
            commas += vote == ',';
        }
    }
    if (points != commas) return points > commas ? '.' : ',';
    if (fieldSeparator == ';') return ',';
    if (fieldSeparator == ',') return '.';
    return regional;
}

std::vector<double> ReadRow(const Fields& fields, std::int32_t row, char decimal) {
    std::vector<double> values;
    values.reserve(fields.size());
    for (std::size_t c = 0; c < fields.size(); ++c) {
        const CellReading reading = ReadCell(fields[c], decimal);
        switch (reading.status) {
        case CellStatus::Valid:
            values.push_back(reading.value);
            continue;
        case CellStatus::Overflow:
            throw ProgramError(CsvOverflowMessage(row, c + 1, fields[c]));
        case CellStatus::OtherMark:
            throw ProgramError(CsvOtherMarkMessage(row, c + 1, fields[c], decimal));
        case CellStatus::NotANumber:
            break;
        }
        throw ProgramError(CsvNotANumberMessage(row, c + 1, fields[c]));
    }
    return values;
}

// The records that are no empty rows: a header and 100 patterns at most, and
// one more, which is one too many either way.
std::vector<Record> NonEmptyRecords(CsvRecordReader& reader, char& separator) {
    std::vector<Record> records;
    std::string text;
    while (records.size() < static_cast<std::size_t>(kMaxPatterns) + 2 && reader.Next(text)) {
        if (reader.Record() > kMaxRecords) throw ProgramError(CsvTooManyRecordsMessage(kMaxRecords));
        if (reader.Record() == 1 && SeparatorLine(text) != 0) {
            separator = SeparatorLine(text);
            reader.Uncount();
            continue;
        }
        if (!IsEmptyRecord(text, separator)) records.push_back({reader.Record(), text});
    }
    return records;
}

PatternRows ReadPatterns(ByteSource source, std::int32_t inputs, std::int32_t outputs, char regional) {
    CsvRecordReader reader(std::move(source));
    char separator = 0;
    const std::vector<Record> records = NonEmptyRecords(reader, separator);
    if (records.empty()) throw ProgramError(CsvNoPatternsMessage());
    const auto columns = static_cast<std::size_t>(inputs + outputs);
    if (separator == 0) separator = ChooseFieldSeparator(records, columns);

    std::vector<Fields> rows(records.size());
    for (std::size_t r = 0; r < records.size(); ++r) {
        SplitFields(records[r].text, separator, rows[r]);
        if (rows[r].size() != columns)
            throw ProgramError(CsvColumnCountMessage(records[r].row, rows[r].size(), inputs, outputs));
    }
    const std::size_t first = IsHeader(rows.front()) ? 1 : 0;
    if (rows.size() - first > static_cast<std::size_t>(kMaxPatterns)) throw ProgramError(kPatternLimitMessage);
    if (rows.size() == first) throw ProgramError(CsvOnlyHeaderMessage(records.front().row));
    const std::vector<Fields> data(rows.begin() + static_cast<std::ptrdiff_t>(first), rows.end());
    const char decimal = ChooseDecimalSeparator(data, separator, regional);
    PatternRows patterns;
    patterns.reserve(data.size());
    for (std::size_t r = 0; r < data.size(); ++r) patterns.push_back(ReadRow(data[r], records[r + first].row, decimal));
    return patterns;
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
    FileForReading file(path);
    return ReadPatterns(file.Source(), inputs, outputs, regionalDecimal);
}

PatternRows ReadPatternText(std::string_view text, std::int32_t inputs, std::int32_t outputs, char regionalDecimal) {
    return ReadPatterns(TextSource(text), inputs, outputs, regionalDecimal);
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
