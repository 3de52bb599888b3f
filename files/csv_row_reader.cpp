// SPDX-License-Identifier: GPL-3.0-or-later
#include "csv_row_reader.h"

#include "program_error.h"
#include "read_messages.h"
#include "real_reading.h"

#include <algorithm>

namespace {

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

void ReadRow(const std::vector<std::string>& fields, std::string_view where, std::int32_t line,
             std::vector<double>& row) {
    row.clear();
    for (std::size_t c = 0; c < fields.size(); ++c) {
        const RealReading reading = ReadCell(fields[c]);
        if (reading.status == RealStatus::Overflow)
            throw ProgramError(CsvOverflowMessage(where, line, c + 1, fields[c]));
        if (reading.status != RealStatus::Valid)
            throw ProgramError(CsvNotANumberMessage(where, line, c + 1, fields[c]));
        row.push_back(reading.value);
    }
}

}  // namespace

CsvRowReader::CsvRowReader(ByteSource source, std::int32_t inputs, std::int32_t outputs, std::string_view where)
    : reader_(std::move(source)), inputs_(inputs), outputs_(outputs), where_(where) {}

bool CsvRowReader::NextRecord() { return reader_.Next(record_); }

CsvRowReader::Record CsvRowReader::Take(std::vector<double>& row) {
    if (IsBlank(record_)) return Record::Blank;
    if (separator_ == 0) separator_ = DetectFieldSeparator(record_);
    SplitFields(record_, separator_, fields_);
    if (fields_.size() != static_cast<std::size_t>(inputs_ + outputs_))
        throw ProgramError(CsvColumnCountMessage(where_, reader_.Line(), fields_.size(), inputs_, outputs_));
    const bool header = first_ && IsHeader(fields_);
    first_ = false;
    if (header) return Record::Header;
    ReadRow(fields_, where_, reader_.Line(), row);
    return Record::Values;
}
