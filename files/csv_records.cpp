// SPDX-License-Identifier: GPL-3.0-or-later
#include "csv_records.h"

#include "program_error.h"
#include "read_messages.h"

#include <algorithm>

CsvRecordReader::CsvRecordReader(ByteSource source) : source_(std::move(source)), block_(65536) {}

bool CsvRecordReader::Refill() {
    if (finished_) return false;
    position_ = 0;
    end_ = source_(block_.data(), block_.size());
    finished_ = end_ == 0;
    return !finished_;
}

bool CsvRecordReader::Next(std::string& record) {
    record.clear();
    if (!started_) {
        started_ = true;
        if (!Refill()) return false;
        const auto byte = [&](std::size_t i) { return i < end_ ? static_cast<unsigned char>(block_[i]) : 0u; };
        if ((byte(0) == 0xFF && byte(1) == 0xFE) || (byte(0) == 0xFE && byte(1) == 0xFF))
            throw ProgramError(NotUtf8Message());
        if (byte(0) == 0xEF && byte(1) == 0xBB && byte(2) == 0xBF) position_ = 3;
    }
    bool quoted = false;
    bool any = false;
    ++record_;
    for (;;) {
        if (position_ == end_ && !Refill()) {
            if (quoted) throw ProgramError(CsvOpenQuoteMessage(record_));
            if (!any) --record_;
            return any;
        }
        if (afterCR_) {
            afterCR_ = false;
            if (block_[position_] == '\n') {
                ++position_;
                continue;
            }
        }
        // The plain run up to the next byte that means something, in one go.
        const char* start = block_.data() + position_;
        const char* blockEnd = block_.data() + end_;
        const char* stop = std::find_if(start, blockEnd,
                                        [](char c) { return c == '"' || c == '\r' || c == '\n' || c == '\0'; });
        const auto run = static_cast<std::size_t>(stop - start);
        if (record.size() + run > kMaxLineLength) throw ProgramError(CsvLongLineMessage(record_));
        record.append(start, run);
        position_ += run;
        any = any || run > 0;
        if (position_ == end_) continue;
        const char c = block_[position_++];
        if (c == '\0') throw ProgramError(CsvNulByteMessage(record_));
        if (c == '\r' || c == '\n') {
            afterCR_ = c == '\r';
            if (!quoted) return true;
        }
        any = true;
        if (c == '"') quoted = !quoted;
        if (record.size() == kMaxLineLength) throw ProgramError(CsvLongLineMessage(record_));
        record.push_back(c);
    }
}

bool IsEmptyRecord(std::string_view record, char separator) {
    bool quoted = false;
    for (std::size_t i = 0; i < record.size(); ++i) {
        const char c = record[i];
        if (c == '"') {
            if (quoted && i + 1 < record.size() && record[i + 1] == '"') return false;  // a quote character
            quoted = !quoted;
        } else if (c != ' ' && c != '\t' && (quoted || (c != ';' && c != ',' && c != separator))) {
            return false;
        }
    }
    return true;
}

char SeparatorLine(std::string_view record) {
    // A sheet saved again may quote it, or add the empty cells of its row.
    if (record.size() >= 7 && record.starts_with("\"sep=") && record[6] == '"') {
        const char separator = record[5];
        record.remove_prefix(7);
        return record.find_first_not_of(separator) == std::string_view::npos ? separator : 0;
    }
    if (record.size() < 5 || !record.starts_with("sep=") || record[4] == '"') return 0;
    return record.find_first_not_of(record[4], 5) == std::string_view::npos ? record[4] : 0;
}

void SplitFields(std::string_view record, char separator, std::vector<std::string>& fields) {
    // The strings are kept and overwritten, so a table reads without an
    // allocation per field.
    std::size_t count = 0;
    const auto start = [&] {
        if (fields.size() <= count) fields.emplace_back();
        fields[count++].clear();
    };
    const bool blanks = separator == kBlankSeparator;
    bool quoted = false;
    bool parted = true;  // a separator came last, so the next character starts a field
    if (!blanks) start();
    for (std::size_t i = 0; i < record.size(); ++i) {
        const char c = record[i];
        const bool separates = !quoted && (blanks ? c == ' ' || c == '\t' : c == separator);
        if (separates) {
            if (!blanks) start();
            parted = true;
            continue;
        }
        if (blanks && parted) start();
        parted = false;
        if (c != '"') {
            fields[count - 1].push_back(c);
        } else if (quoted && i + 1 < record.size() && record[i + 1] == '"') {
            // Inside quotes a doubled quote is one quote character.
            fields[count - 1].push_back('"');
            ++i;
        } else {
            quoted = !quoted;
        }
    }
    if (count == 0) start();
    fields.resize(count);
}
