// SPDX-License-Identifier: GPL-3.0-or-later
#include "csv_patterns.h"

#include "file_access.h"
#include "file_test_helpers.h"
#include "real_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>

#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

// Values whose text is easy to get wrong: the shortest exact form needs up
// to 17 digits, an exponent, or the sign of zero.
const PatternRows kAwkward = {
    {0.1, 1.0 / 3.0, -0.0},
    {5e-324, DBL_MAX, -1e-300},
    {123456789.125, 2.5e20, 0.30000000000000004},
};

bool SameBits(const PatternRows& a, const PatternRows& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t r = 0; r < a.size(); ++r) {
        if (a[r].size() != b[r].size() || std::memcmp(a[r].data(), b[r].data(), a[r].size() * sizeof(double)) != 0)
            return false;
    }
    return true;
}

// An export says its own decimal separator: it reads back under either
// regional one.
TEST(CsvPatterns, ExportReadsBackBitForBitUnderEitherSeparator) {
    for (const char separator : {'.', ','}) {
        const std::string text = CsvPatternText(kAwkward, 2, 1, separator);
        EXPECT_EQ(text.substr(0, text.find("\r\n")), separator == ',' ? "\"Entrada1\";\"Entrada2\";\"Salida1\""
                                                                      : "Entrada1,Entrada2,Salida1");
        for (const char regional : {'.', ','})
            EXPECT_TRUE(SameBits(ReadPatternText(text, 2, 1, regional), kAwkward)) << text;
    }
    EXPECT_EQ(CsvPatternText({{0.5, -2}}, 1, 1, ','), "\"Entrada1\";\"Salida1\"\r\n\"0,5\";\"-2\"\r\n");
    EXPECT_EQ(CsvPatternText({{0.5, -2}}, 1, 1, '.'), "Entrada1,Salida1\r\n0.5,-2\r\n");
    // Grouping-like values written under either separator still read back.
    const PatternRows grouped = {{1.234, 10}, {2.5, 1234.5}};
    for (const char separator : {'.', ','}) {
        for (const char regional : {'.', ','})
            EXPECT_TRUE(SameBits(ReadPatternText(CsvPatternText({{1.234, 10}}, 1, 1, separator), 1, 1, regional),
                                 {{1.234, 10}}));
        EXPECT_TRUE(SameBits(ReadPatternText(CsvPatternText(grouped, 1, 1, separator), 1, 1, '.'), grouped));
    }
}

struct ReadCase {
    const char* name;
    std::string text;
    std::int32_t inputs;
    char regional;
    PatternRows expected;
};

TEST(CsvPatterns, ReadsWhatSpreadsheetsWrite) {
    const std::string longest = "1;" + std::string(4093, '0') + "2";  // exactly kMaxLineLength
    const ReadCase cases[] = {
        {"byte order mark and header", "\xEF\xBB\xBF\"Entrada1\";\"Salida1\"\r\n0,5;1\r\n-2;1e3\r\n", 1, '.',
         {{0.5, 1}, {-2, 1000}}},
        {"byte order mark, no header", "\xEF\xBB\xBF" "0,5;1\r\n-2;1000\r\n", 1, '.', {{0.5, 1}, {-2, 1000}}},
        {"Spanish, no header", "0,5;1\n-2;1000", 1, '.', {{0.5, 1}, {-2, 1000}}},
        {"Spanish, no header, a comma in every row", "0,5;1\n0,25;0\n", 1, '.', {{0.5, 1}, {0.25, 0}}},
        {"Spanish, one row", "0,5;1", 1, '.', {{0.5, 1}}},
        {"quotes, lone CR, blank rows", "a,\"b\"\"c\"\n0.5,1\r-2,\"1000\"\n\n", 1, ',', {{0.5, 1}, {-2, 1000}}},
        {"tabs", "0,5\t1\n-2\t1000", 1, '.', {{0.5, 1}, {-2, 1000}}},
        {"line break inside a header cell", "\"x\ny\",z\n\"0,5\",1\n-2,1000\n", 1, '.', {{0.5, 1}, {-2, 1000}}},
        {"header cell holding the other separator", "Sépalo; largo,Clase\n0.5,1\n-2,1000\n", 1, ',',
         {{0.5, 1}, {-2, 1000}}},
        {"sep= line", "sep=,\n0,5\n1,2\n", 1, ',', {{0, 5}, {1, 2}}},
        {"sep= line saved again", "\"sep=;\";;\n\"0,5\";\"1\"\n", 1, '.', {{0.5, 1}}},
        {"sep= line with the empty cells of its row", "sep=\t\t\n1\t2\n", 1, '.', {{1, 2}}},
        {"empty and separator-only rows anywhere", "\n;;\n0,5;1\n;\n\"\";\"\"\n \n-2;1000\n;;;;;;\n\n", 1, '.',
         {{0.5, 1}, {-2, 1000}}},
        {"blanks between fields", "0,5  1\n -2 1000 \n", 1, '.', {{0.5, 1}, {-2, 1000}}},
        {"grouped first row", "1.234,5;0,1;0,9\n", 2, '.', {{1234.5, 0.1, 0.9}}},
        {"grouping under a decimal comma", "1.234;0,5\n10.000;2.500\n1.234.567,5;-1.000.000\n", 1, '.',
         {{1234, 0.5}, {10000, 2500}, {1234567.5, -1000000}}},
        {"grouping under a decimal point", "\"1,234\",0.5\n\"12,345.68\",1\n", 1, ',', {{1234, 0.5}, {12345.68, 1}}},
        {"only undecided cells under ;", "1.234;1\n", 1, '.', {{1234, 1}}},
        {"only undecided cells under ,", "\"1,234\",1\n", 1, ',', {{1234, 1}}},
        {"only undecided cells, tabs, regional point", "1.234\t1\n", 1, '.', {{1.234, 1}}},
        {"only undecided cells, tabs, regional comma", "1.234\t1\n", 1, ',', {{1234, 1}}},
        {"a record of exactly the longest length", longest, 1, '.', {{1, 2}}},
    };
    for (const ReadCase& c : cases) {
        const std::string message = MessageOf([&] { ReadPatternText(c.text, c.inputs, 1, c.regional); });
        ASSERT_EQ(message, "(no error)") << c.name;
        EXPECT_TRUE(SameBits(ReadPatternText(c.text, c.inputs, 1, c.regional), c.expected)) << c.name;
    }
}

struct MessageCase {
    std::string text;
    std::int32_t inputs;
    std::string message;
};

TEST(CsvPatterns, BadTextNamesItsRowAndColumn) {
    const MessageCase cases[] = {
        {"1;2\n3;abc\n", 1, "Fila 2, columna 2: 'abc' no es un número válido"},
        {"n/d;1\n0;1\n", 1, "Fila 1, columna 1: 'n/d' no es un número válido"},
        {"0,5 abc 0,9", 2, "Fila 1, columna 2: 'abc' no es un número válido"},
        {"Entrada;Salida\n1;2\nn/d;1\n", 1, "Fila 3, columna 1: 'n/d' no es un número válido"},
        {"\n\"a\nb\";1\n", 1, "Fila 2, columna 1: 'a b' no es un número válido"},
        {"sep=;\n1;2\nx;1\n", 1, "Fila 2, columna 1: 'x' no es un número válido"},
        {"1;2\n1e400;2\n", 1, "Fila 2, columna 1: '1e400' no cabe en un número en coma flotante"},
        {"1;2\n3;4;5\n", 1, "Fila 2: tiene 3 columnas y la red necesita 2 (1 entradas y 1 salidas)"},
        {"1;2\n", 2, "Fila 1: tiene 2 columnas y la red necesita 3 (2 entradas y 1 salidas)"},
        {"1.23,4;1\n", 1, "Fila 1, columna 1: '1.23,4' no es un número válido con ',' como separador decimal"},
        {"0,5;1\n1.5;2\n", 1, "Fila 2, columna 1: '1.5' no es un número válido con ',' como separador decimal"},
        {"0,5;1\n0.123;2\n1,5;3\n", 1,
         "Fila 2, columna 1: '0.123' no es un número válido con ',' como separador decimal"},
        {"1;2\n\"3;4\n", 1, "Fila 2: faltan las comillas que cierran un campo"},
        {"1;2\n3;4\0;5\n"s, 1, "Fila 2: el texto tiene un byte nulo"},
        {"\xFF\xFE" "1\0;\0" "2\0"s, 1, "El fichero no es texto UTF-8"},
        {"Entrada1;Salida1\n", 1, "Fila 1 es una cabecera y no le sigue ningún patrón"},
        {"\n;;\n", 1, "No hay ningún patrón"},
        {"1;" + std::string(10 << 20, '9') + "\n", 1, "Fila 1: la fila es demasiado larga"},
        {"1;" + std::string(4095, '0'), 1, "Fila 1: la fila es demasiado larga"},
        {"1;2\n1;" + std::string(200, 'x'), 1,
         "Fila 2, columna 2: '" + std::string(40, 'x') + "\u2026' no es un número válido"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MessageOf([&] { ReadPatternText(c.text, c.inputs, 1, ','); }), c.message) << c.text.substr(0, 40);
}

TEST(CsvPatterns, HundredPatternsAtMostEmptyRowsCountForNothing) {
    std::string rows = "Entrada1,Salida1\r\n\r\n";
    for (int p = 1; p <= 100; ++p) rows += "1,2\r\n";
    EXPECT_EQ(ReadPatternText(rows, 1, 1, '.').size(), 100u);
    EXPECT_EQ(MessageOf([&] { ReadPatternText(rows + "1,2\r\n", 1, 1, '.'); }), "Máximo número de patrones 100");
    EXPECT_EQ(MessageOf([&] { ReadPatternText(rows.substr(18) + "1,2\r\n", 1, 1, '.'); }),
              "Máximo número de patrones 100");
    std::string forty;
    for (int p = 1; p <= 40; ++p) forty += "1;2\r\n";
    EXPECT_EQ(ReadPatternText(forty + std::string(170, '\n'), 1, 1, '.').size(), 40u);
    EXPECT_EQ(MessageOf([] { ReadPatternText(std::string((1 << 20) + 1, '\n') + "1,2", 1, 1, '.'); }),
              "El texto tiene más de 1048576 filas");
}

// Whatever the file, the import ends at once, holds little, and says why.
TEST(CsvPatterns, HostileFilesEndPromptlyWithinBoundedMemory) {
    TemporaryFolder folder;
    const std::string pipe = folder.Path("tuberia.csv");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string zero = folder.Path("cero.csv");
    fs::create_symlink("/dev/zero", zero);
    const std::string separators = folder.Path("separadores.csv");
    {
        std::ofstream file(separators, std::ios::binary);
        const std::string block(1 << 20, ';');
        for (int mb = 0; mb < 200; ++mb) file << block;
    }
    const std::string breaks = folder.Path("saltos.csv");
    WriteBytes(breaks, std::string(8 << 20, '\n'));
    const std::string expected = "Cannot open file " + pipe + "|Cannot open file " + zero +
                                 "|Fila 1: la fila es demasiado larga|El texto tiene más de 1048576 filas";
    EXPECT_EXIT(
        {
            ::alarm(60);
            LimitMemory();
            EndWith(MessageOf([&] { ReadCsvPatterns(pipe, 1, 1, '.'); }) + "|" +
                        MessageOf([&] { ReadCsvPatterns(zero, 1, 1, '.'); }) + "|" +
                        MessageOf([&] { ReadCsvPatterns(separators, 1, 1, '.'); }) + "|" +
                        MessageOf([&] { ReadCsvPatterns(breaks, 1, 1, '.'); }),
                    expected);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(CsvWeights, EveryWeightReadsBackExactly) {
    TRedNeuronal network;
    Topology(network, 2, 3, 1);
    network.CapaOculta.Neuronas[2].Pesos[1] = 1.0 / 3.0;
    network.CapaSalida.Neuronas[1].Pesos[3] = -5e-324;
    const std::string text = CsvWeightsText(network, ',');
    std::vector<std::string> records;
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        records.push_back(text.substr(at, end - at));
    ASSERT_EQ(records.size(), 1u + 3 * 3 + 1 * 4);
    EXPECT_EQ(records[0], "\"Capa\";\"Neurona\";\"Índice (0: sesgo, w0)\";\"Peso\"");
    EXPECT_EQ(records[5], "\"Oculta\";\"2\";\"1\";\"" + ShortestText(1.0 / 3.0, ',') + "\"");
    std::size_t r = 1;
    for (const auto* layer : {&network.CapaOculta, &network.CapaSalida}) {
        for (int j = 1; j <= layer->NumeroNeuronas(); ++j) {
            for (int k = 0; k <= layer->NumeroEntradas(); ++k, ++r) {
                std::string weight = records[r].substr(records[r].rfind(';') + 1);
                std::erase(weight, '"');
                std::replace(weight.begin(), weight.end(), ',', '.');
                double read = 0;
                std::from_chars(weight.data(), weight.data() + weight.size(), read);
                const double expected = layer->Neuronas[j].Pesos[static_cast<std::size_t>(k)];
                EXPECT_EQ(std::bit_cast<std::uint64_t>(read), std::bit_cast<std::uint64_t>(expected)) << records[r];
            }
        }
    }
}

// Iterations count from 1 and are written whole; a summary keeps each
// stretch's least and greatest error, in iteration order, and says so.
TEST(CsvSeries, HeaderSaysWhatTheRowsAre) {
    const std::vector<std::pair<std::int64_t, double>> points = {
        {1, 5}, {2, 1}, {3, 9}, {4, 2}, {5, 7}, {800000, 0.5}, {800001, 0.5}};
    const struct {
        std::int64_t stretch;
        char decimal;
        std::string text;
    } cases[] = {
        {1, '.',
         "Iteración,Error (%) de cada iteración\r\n1,5\r\n2,1\r\n3,9\r\n4,2\r\n5,7\r\n800000,0.5\r\n800001,0.5\r\n"},
        {4, ',',
         "\"Iteración\";\"Error (%), resumen del gráfico: el menor y el mayor de cada tramo de 4 iteraciones\"\r\n"
         "\"2\";\"1\"\r\n\"3\";\"9\"\r\n\"5\";\"7\"\r\n\"800000\";\"0,5\"\r\n\"800001\";\"0,5\"\r\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(CsvSeriesText(points, c.stretch, c.decimal), c.text) << c.stretch;
}

}  // namespace
