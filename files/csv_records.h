// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The record structure of comma-separated text (RFC 4180): records end at
// CR LF, a lone CR or a lone LF outside quotes; a field in double quotes may
// hold separators, line breaks and doubled quotes. Reading is bounded like
// the network files': a record longer than kMaxLineLength is refused and
// nothing after it is read.

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
    // The line on which the record last returned starts, from 1.
    std::int32_t Line() const { return recordLine_; }

private:
    bool Refill();

    ByteSource source_;
    std::vector<char> block_;
    std::size_t position_ = 0;
    std::size_t end_ = 0;
    bool finished_ = false;
    bool started_ = false;
    bool afterCR_ = false;
    std::int32_t line_ = 1;
    std::int32_t recordLine_ = 0;
};

// The field separator of a record: a tab when it holds one outside quotes,
// else ";" when it holds one, else ",".
char DetectFieldSeparator(std::string_view record);

// The record's fields into `fields`, quotes removed ("" inside quotes stands
// for one ").
void SplitFields(std::string_view record, char separator, std::vector<std::string>& fields);
