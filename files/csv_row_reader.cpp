// SPDX-License-Identifier: GPL-3.0-or-later
#include "csv_row_reader.h"

#include "csv_numbers.h"
#include "program_error.h"
#include "read_messages.h"

#include <algorithm>
#include <array>

namespace {

// A spreadsheet's rows: a text with more, even empty ones, before its
// leading records is no sheet, and ends here in bounded time.
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

// The text's one decimal separator: the one the cells of its rows of values
// show, else the one that goes with its field separator in what spreadsheets
// write, else the regional one.
char ChooseDecimalSeparator(const std::vector<Fields>& rows, std::size_t first, char fieldSeparator, char regional) {
    std::int64_t points = 0;
    std::int64_t commas = 0;
    for (std::size_t r = first; r < rows.size(); ++r) {
        for (const std::string& cell : rows[r]) {
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

void ReadValues(const Fields& fields, std::int32_t row, char decimal, std::vector<double>& values) {
    values.clear();
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
}

}  // namespace

CsvRowReader::CsvRowReader(ByteSource source, std::int32_t inputs, std::int32_t outputs, char regionalDecimal)
    : reader_(std::move(source)), inputs_(inputs), outputs_(outputs) {
    std::vector<Record> leading;
    while (leading.size() < kLeadingRecords && reader_.Next(record_)) {
        if (reader_.Record() > kMaxRecords) throw ProgramError(CsvTooManyRecordsMessage(kMaxRecords));
        if (reader_.Record() == 1 && SeparatorLine(record_) != 0) {
            separator_ = SeparatorLine(record_);
            reader_.Uncount();
            continue;
        }
        if (!IsEmptyRecord(record_, separator_)) leading.push_back({reader_.Record(), record_});
    }
    if (leading.empty()) throw ProgramError(CsvNoPatternsMessage());
    if (separator_ == 0) separator_ = ChooseFieldSeparator(leading, static_cast<std::size_t>(inputs + outputs));

    leadingFields_.resize(leading.size());
    for (std::size_t r = 0; r < leading.size(); ++r) {
        Split(leading[r].text, leading[r].row, leadingFields_[r]);
        leadingRowNumbers_.push_back(leading[r].row);
    }
    next_ = IsHeader(leadingFields_.front()) ? 1 : 0;
    if (next_ == 1) header_ = leadingFields_.front();
    leadingRows_ = leading.size() - next_;
    if (leadingRows_ == 0) throw ProgramError(CsvOnlyHeaderMessage(leading.front().row));
    decimal_ = ChooseDecimalSeparator(leadingFields_, next_, separator_, regionalDecimal);
}

void CsvRowReader::Split(std::string_view record, std::int32_t row, Fields& fields) const {
    SplitFields(record, separator_, fields);
    if (fields.size() != static_cast<std::size_t>(inputs_ + outputs_))
        throw ProgramError(CsvColumnCountMessage(row, fields.size(), inputs_, outputs_));
}

bool CsvRowReader::Next(std::vector<double>& row) {
    if (next_ < leadingFields_.size()) {
        ReadValues(leadingFields_[next_], leadingRowNumbers_[next_], decimal_, row);
        ++next_;
        return true;
    }
    while (reader_.Next(record_)) {
        if (IsEmptyRecord(record_, separator_)) continue;
        Split(record_, reader_.Record(), fields_);
        ReadValues(fields_, reader_.Record(), decimal_, row);
        return true;
    }
    return false;
}
