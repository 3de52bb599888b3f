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

TEST(CsvPatterns, ExportReadsBackBitForBitUnderEitherSeparator) {
    for (const char separator : {'.', ','}) {
        const std::string text = CsvPatternText(kAwkward, 2, 1, separator);
        EXPECT_EQ(text.substr(0, text.find("\r\n")), separator == ',' ? "Entrada1;Entrada2;Salida1"
                                                                      : "Entrada1,Entrada2,Salida1");
        EXPECT_TRUE(SameBits(ReadPatternText(text, 2, 1, "Línea"), kAwkward)) << text;
    }
    EXPECT_EQ(CsvPatternText({{0.5, -2}}, 1, 1, ','), "Entrada1;Salida1\r\n0,5;-2\r\n");
}

TEST(CsvPatterns, ReadsWhatSpreadsheetsWrite) {
    const PatternRows expected = {{0.5, 1}, {-2, 1000}};
    // A byte order mark, quoted fields, a lone CR, tabs, no header, blank lines.
    for (const std::string text : {"\xEF\xBB\xBF\"Entrada1\";\"Salida1\"\r\n0,5;1\r\n-2;1e3\r\n",
                                   "a,\"b\"\"c\"\n0.5,1\r-2,\"1000\"\n\n", "0,5\t1\n-2\t1000",
                                   "\"x\ny\",z\n\"0,5\",1\n-2,1000\n"}) {
        EXPECT_TRUE(SameBits(ReadPatternText(text, 1, 1, "Línea"), expected)) << text;
    }
}

TEST(CsvPatterns, BadTextNamesItsLineAndColumn) {
    const struct {
        std::string text;
        std::string message;
    } cases[] = {
        {"1;2\n3;abc\n", "Línea 2, columna 2: 'abc' no es un número válido"},
        {"1;2\n1e400;2\n", "Línea 2, columna 1: '1e400' no cabe en un número en coma flotante"},
        {"1;2\n3;4;5\n", "Línea 2: tiene 3 columnas y la red necesita 2 (1 entradas y 1 salidas)"},
        {"1;2\n\"3;4\n", "Línea 2: faltan las comillas que cierran un campo"},
        {"1;2\n3;4\0;5\n"s, "Línea 2: el texto tiene un byte nulo"},
        {"\xFF\xFE" "1\0;\0" "2\0"s, "El fichero no es texto UTF-8"},
        {"Entrada1;Salida1\n", "No hay ningún patrón"},
        {"1;" + std::string(10 << 20, '9') + "\n", "Línea 1: la línea es demasiado larga"},
        {"1;2\n1;" + std::string(200, 'x'), "Línea 2, columna 2: '" + std::string(64, 'x') + "\u2026' no es un número válido"},
    };
    for (const auto& c : cases) EXPECT_EQ(MessageOf([&] { ReadPatternText(c.text, 1, 1, "Línea"); }), c.message);
    EXPECT_EQ(MessageOf([] { ReadPatternText("1\t2\nx\t2", 1, 1, "Fila"); }),
              "Fila 2, columna 1: 'x' no es un número válido");
}

TEST(CsvPatterns, HundredPatternsAtMost) {
    std::string rows = "Entrada1,Salida1\r\n";
    for (int p = 1; p <= 100; ++p) rows += "1,2\r\n";
    EXPECT_EQ(ReadPatternText(rows, 1, 1, "Línea").size(), 100u);
    EXPECT_EQ(MessageOf([&] { ReadPatternText(rows + "1,2\r\n", 1, 1, "Línea"); }), "Máximo número de patrones 100");
    EXPECT_EQ(MessageOf([] { ReadPatternText(std::string(1000, '\n') + "1,2", 1, 1, "Línea"); }),
              "Máximo número de patrones 100");
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
                                 "|Línea 1: la línea es demasiado larga|Máximo número de patrones 100";
    EXPECT_EXIT(
        {
            ::alarm(60);
            LimitMemory();
            EndWith(MessageOf([&] { ReadCsvPatterns(pipe, 1, 1); }) + "|" +
                        MessageOf([&] { ReadCsvPatterns(zero, 1, 1); }) + "|" +
                        MessageOf([&] { ReadCsvPatterns(separators, 1, 1); }) + "|" +
                        MessageOf([&] { ReadCsvPatterns(breaks, 1, 1); }),
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
    EXPECT_EQ(records[0], "Capa;Neurona;Índice;Peso");
    EXPECT_EQ(records[5], "Oculta;2;1;" + ShortestText(1.0 / 3.0, ','));
    std::size_t r = 1;
    for (const auto* layer : {&network.CapaOculta, &network.CapaSalida}) {
        for (int j = 1; j <= layer->NumeroNeuronas(); ++j) {
            for (int k = 0; k <= layer->NumeroEntradas(); ++k, ++r) {
                std::string weight = records[r].substr(records[r].rfind(';') + 1);
                std::replace(weight.begin(), weight.end(), ',', '.');
                double read = 0;
                std::from_chars(weight.data(), weight.data() + weight.size(), read);
                const double expected = layer->Neuronas[j].Pesos[static_cast<std::size_t>(k)];
                EXPECT_EQ(std::bit_cast<std::uint64_t>(read), std::bit_cast<std::uint64_t>(expected)) << records[r];
            }
        }
    }
}

}  // namespace
