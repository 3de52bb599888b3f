// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The record structure of comma-separated text (RFC 4180): records end at
// CR LF, a lone CR or a lone LF outside quotes; a field in double quotes may
// hold separators, line breaks and doubled quotes. Reading is bounded like
// the network files': a record longer than kMaxLineLength is refused and
// nothing after it is read. A record is what a spreadsheet shows as a row.

#include "line_splitter.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CsvRecordReader {
public:
    explicit CsvRecordReader(ByteSource source);

    // The next record's raw text (quotes kept, without its line break) into
    // `record`; false at the end of the text. A UTF-8 byte order mark at the
    // start is skipped. Throws ProgramError for a NUL byte, a UTF-16 byte
    // order mark, a record longer than kMaxLineLength or a quote left open.
    bool Next(std::string& record);
    // The row of the record last returned, from 1.
    std::int32_t Record() const { return record_; }
    // The record last returned is no row of the table (a "sep=" line, which
    // spreadsheets hide): rows count from the next one.
    void Uncount() { --record_; }

private:
    bool Refill();

    ByteSource source_;
    std::vector<char> block_;
    std::size_t position_ = 0;
    std::size_t end_ = 0;
    bool finished_ = false;
    bool started_ = false;
    bool afterCR_ = false;
    std::int32_t record_ = 0;
};

// The separator of fields apart by runs of blanks, as in text copied from a
// document rather than a spreadsheet.
inline constexpr char kBlankSeparator = ' ';

// Whether the record is an empty row: nothing but blanks, field separators
// (tabs, ";", ",", or `separator`) and empty quoted fields, as a spreadsheet
// writes for a row with nothing in it.
bool IsEmptyRecord(std::string_view record, char separator);

// The separator a "sep=X" record sets, as spreadsheets write on a file's
// first line; 0 for any other record.
char SeparatorLine(std::string_view record);

// The record's fields into `fields`, quotes removed ("" inside quotes stands
// for one "). With kBlankSeparator, runs of blanks and tabs part the fields
// and those at either end part nothing.
void SplitFields(std::string_view record, char separator, std::vector<std::string>& fields);
