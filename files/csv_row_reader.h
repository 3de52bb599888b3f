// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The records of comma-separated numbers, read one at a time as the data tab
// reads them: the field separator is the first record's tab, ";" or ",";
// each cell reads with "," or "." as its decimal separator; a first record
// that is not all numbers is a header; blank records are skipped. Holds one
// record at a time, so a file of any length reads in bounded memory.

#include "csv_records.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CsvRowReader {
public:
    enum class Record : std::uint8_t { Blank, Header, Values };

    // Every record must have `inputs` + `outputs` fields; `where` names a
    // record in the messages ("Línea" for a file).
    CsvRowReader(ByteSource source, std::int32_t inputs, std::int32_t outputs, std::string_view where);

    // Reads the next record; false at the end of the text.
    bool NextRecord();
    // What the record just read is; its numbers into `row` when it holds
    // values. Throws ProgramError naming the line (and the column) for a
    // wrong field count, a cell that is no number or one beyond the doubles.
    Record Take(std::vector<double>& row);

private:
    CsvRecordReader reader_;
    std::int32_t inputs_;
    std::int32_t outputs_;
    std::string where_;
    std::string record_;
    std::vector<std::string> fields_;
    char separator_ = 0;
    bool first_ = true;
};
