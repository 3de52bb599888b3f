// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rows of comma-separated numbers, read one at a time as "Importar CSV…"
// reads them: the field separator, whether the first row is a header and the
// one decimal separator are decided from the leading records, as many as the
// import reads at most (a header and 101 patterns); every later record reads
// as they decided. Holds the leading records and one more, so a text of any
// length reads in bounded memory.

#include "csv_records.h"
#include "network_description.h"

#include <cstdint>
#include <string>
#include <vector>

class CsvRowReader {
public:
    // The records that decide how the text reads.
    static constexpr std::size_t kLeadingRecords = static_cast<std::size_t>(kMaxPatterns) + 2;

    // Reads the leading records and decides from them, as ReadCsvPatterns
    // describes (`regionalDecimal` when nothing else decides). Every record
    // must have `inputs` + `outputs` fields. Throws ProgramError with the
    // import's messages: the row (and column) at fault, "No hay ningún
    // patrón", a header that nothing follows.
    CsvRowReader(ByteSource source, std::int32_t inputs, std::int32_t outputs, char regionalDecimal);

    // The rows of values among the leading records: past kMaxPatterns, the
    // text holds more patterns than the table does.
    std::size_t LeadingRows() const { return leadingRows_; }

    // The header row's cells, quotes removed; empty when the text has none.
    const std::vector<std::string>& Header() const { return header_; }

    // The next row's numbers into `row`; false at the end of the text. A
    // later record is refused as the import refuses a leading one: a wrong
    // field count, a cell that is no number, one with the other decimal
    // mark, one beyond the doubles, each naming its row (and column).
    bool Next(std::vector<double>& row);

private:
    using Fields = std::vector<std::string>;

    void Split(std::string_view record, std::int32_t row, Fields& fields) const;

    CsvRecordReader reader_;
    std::int32_t inputs_;
    std::int32_t outputs_;
    char separator_ = 0;
    char decimal_ = 0;
    // The leading records' rows and fields, read from `next_` on.
    std::vector<std::int32_t> leadingRowNumbers_;
    std::vector<Fields> leadingFields_;
    std::size_t leadingRows_ = 0;
    Fields header_;
    std::size_t next_ = 0;
    std::string record_;
    Fields fields_;
};
