// SPDX-License-Identifier: GPL-3.0-or-later
// Records past the leading ones read as the leading ones decided: their
// field separator, their decimal separator, no header.
#include "csv_row_reader.h"

#include "program_error.h"

#include <gtest/gtest.h>

namespace {

// A header and 101 patterns: as many records as decide how a text reads.
std::string LeadingRecords() {
    std::string text = "x;y\n";
    for (int r = 0; r < 101; ++r) text += "0,5;1\n";
    return text;
}

struct LaterCase {
    const char* name;
    std::string later;         // after the leading records, from row 103
    std::vector<double> last;  // the last row read, when all read
    std::size_t rows;          // the rows read, when all read
    const char* message;       // else the refusal
};

const LaterCase kLater[] = {
    {"empty_rows_skipped_grouping_read", "\n;;\n1.234;-2,5\n", {1234.0, -2.5}, 102, ""},
    {"other_decimal_refused", "\n7.5;1\n", {}, 0,
     "Fila 104, columna 1: '7.5' no es un número válido con ',' como separador decimal"},
    {"no_second_header", "a;b\n", {}, 0, "Fila 103, columna 1: 'a' no es un número válido"},
    {"column_count", "1;2;3\n", {}, 0, "Fila 103: tiene 3 columnas y la red necesita 2 (1 entradas y 1 salidas)"},
    {"overflow", "0;1e999\n", {}, 0, "Fila 103, columna 2: '1e999' no cabe en un número en coma flotante"},
};

class CsvRowReaderLaterTest : public testing::TestWithParam<LaterCase> {};

TEST_P(CsvRowReaderLaterTest, ReadAsTheLeadingRecordsDecided) {
    const LaterCase& c = GetParam();
    const std::string text = LeadingRecords() + c.later;
    std::vector<double> row;
    std::vector<double> last;
    std::size_t rows = 0;
    std::string message;
    try {
        CsvRowReader reader(TextSource(text), 1, 1, '.');
        EXPECT_EQ(reader.LeadingRows(), 101u);
        for (; reader.Next(row); ++rows) last = row;
    } catch (const ProgramError& error) {
        message = error.what();
    }
    EXPECT_EQ(message, c.message);
    if (*c.message == '\0') {
        EXPECT_EQ(rows, c.rows);
        EXPECT_EQ(last, c.last);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, CsvRowReaderLaterTest, testing::ValuesIn(kLater),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
