// SPDX-License-Identifier: GPL-3.0-or-later
#include "rna_file.h"

#include "file_test_helpers.h"
#include "line_splitter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

std::string LineText(const Lines& lines) { return JoinLines(lines); }

TEST(DescribeRna, ReadsTheCommaExample) {
    NetworkDescription d = DescribeRna(LineText({"2", "3", "1", "0", "0", "2", "0", "0,5", "1", "1", "1", "0"}));
    EXPECT_EQ(d.Kind, NetworkFileKind::Untrained);
    EXPECT_EQ(d.Header.NumeroEntradas, 2);
    EXPECT_EQ(d.Header.NeuronasCapaOculta, 3);
    EXPECT_EQ(d.Header.NeuronasCapaSalida, 1);
    EXPECT_EQ(d.Header.RuleSelection, 0);
    EXPECT_EQ(d.Header.FunctionSelection, 0);
    ASSERT_TRUE(d.Patterns.has_value());
    EXPECT_EQ(d.Patterns->NumeroPatrones, 2);
    EXPECT_EQ(d.Patterns->Entradas, (std::vector<double>{0, 0.5, 1, 1}));
    EXPECT_EQ(d.Patterns->Salidas, (std::vector<double>{1, 0}));
}

// A byte-order mark before the first line is skipped, once.
TEST(DescribeRna, SkipsOneByteOrderMark) {
    const std::string mark = "\xEF\xBB\xBF";
    const std::string text = LineText({"2", "3", "1", "0", "0", "0"});
    EXPECT_EQ(DescribeRna(mark + text).Header.NumeroEntradas, 2);
    EXPECT_EQ(MessageOf([&] { DescribeRna(mark + mark + text); }), "'" + mark + "2' is not a valid integer value");
    EXPECT_EQ(MessageOf([&] { DescribeRna("\xEF\xBB" + text); }), "'\xEF\xBB" "2' is not a valid integer value");
}

TEST(DescribeRna, RealsReadWithEitherSeparator) {
    // A file saved under one regional separator opens under the other.
    for (const char* middle : {"0,5", "0.5"}) {
        EXPECT_EQ(DescribeRna(LineText({"1", "1", "1", "0", "0", "1", middle, "-2,5E-7"})).Patterns->Entradas[0], 0.5);
    }
    std::string message = MessageOf([&] { DescribeRna(LineText({"1", "1", "1", "0", "0", "1", "1,5.0", "1"})); });
    EXPECT_EQ(message, "'1,5.0' is not a valid floating point value");
    EXPECT_EQ(WithClosingPeriod(message), "'1,5.0' is not a valid floating point value.");
    EXPECT_EQ(MessageOf([&] { DescribeRna(LineText({"1", "1", "1", "0", "0", "1,0"})); }), "'1,0' is not a valid integer value");
}

TEST(DescribeRna, MessagesQuoteTheStartOfALongLine) {
    const std::string a40(40, 'a');
    const std::string enye = "\xc3\xb1";  // one character, two bytes
    struct Case {
        const char* name;
        Lines lines;
        std::string message;
    };
    const Case cases[] = {
        {"40 characters, whole", {a40}, "'" + a40 + "' is not a valid integer value"},
        {"41 characters, cut", {a40 + "b"}, "'" + a40 + "\u2026' is not a valid integer value"},
        {"a character counts once", {a40.substr(1) + enye + "b"}, "'" + a40.substr(1) + enye + "\u2026' is not a valid integer value"},
        {"pattern count", {"1", "1", "1", "0", "0", std::string(70, ' ') + "200"}, "'" + std::string(40, ' ') + "\u2026' is not a valid pattern count"},
        // Longer than any number: refused although its digits read.
        {"long real", {"1", "1", "1", "0", "0", "1", "1" + std::string(kMaxLineLength, '0'), "1"},
         "'1" + std::string(39, '0') + "\u2026' is not a valid floating point value"},
        {"UTF-16", {"\xFF\xFE" "2"}, "El fichero no es texto UTF-8"},
    };
    for (const Case& testCase : cases) EXPECT_EQ(MessageOf([&] { DescribeRna(LineText(testCase.lines)); }), testCase.message) << testCase.name;

    const std::string message = MessageOf([] { DescribeRna(std::string(10'000'000, '9')); });
    EXPECT_EQ(message, "'" + std::string(40, '9') + "\u2026' is not a valid integer value");
    EXPECT_LT(message.size(), 200u);
}

TEST(DescribeRna, CountsAreLimitedAndPositionsFollowTheLimit) {
    // 0 inputs read as 1: line 7 is the one input, line 8 the output.
    NetworkDescription d = DescribeRna(LineText({"0", "2", "40", "0", "0", "1", "5"}) + LineText(Lines(32, "6")));
    EXPECT_EQ(d.Header.NumeroEntradas, 1);
    EXPECT_EQ(d.Header.NeuronasCapaSalida, 32);
    EXPECT_EQ(d.Patterns->Entradas, (std::vector<double>{5}));
    EXPECT_EQ(d.Patterns->Salidas, std::vector<double>(32, 6));

    d = DescribeRna(LineText({"-7", "99", "2147483647", "0", "0", "0"}));
    EXPECT_EQ(d.Header.NumeroEntradas, 1);
    EXPECT_EQ(d.Header.NeuronasCapaOculta, 32);
    EXPECT_EQ(d.Header.NeuronasCapaSalida, 32);
}

TEST(DescribeRna, LineFormsAndTheirMessages) {
    struct Case {
        const char* name;
        Lines lines;
        const char* message;  // nullptr: the file reads
    };
    const Case cases[] = {
        {"leading blanks on an integer", {" 3", "1", "1", "0", "0", "0"}, nullptr},
        {"trailing blank on an integer", {"3 ", "1", "1", "0", "0", "0"}, "'3 ' is not a valid integer value"},
        {"point in an integer", {"1", "1", "1", "0", "0.0", "0"}, "'0.0' is not a valid integer value"},
        {"empty integer line", {"1", "", "1", "0", "0", "0"}, "'' is not a valid integer value"},
        {"trailing blank on a real", {"1", "1", "1", "0", "0", "1", "0.5 ", "2"}, nullptr},
        {"letters in a real", {"1", "1", "1", "0", "0", "1", "uno", "2"}, "'uno' is not a valid floating point value"},
        {"empty real line", {"1", "1", "1", "0", "0", "1", "", "2"}, "'' is not a valid floating point value"},
        {"real beyond a double", {"1", "1", "1", "0", "0", "1", "1", "-1E309"}, "Floating point overflow"},
        {"empty file", {}, "List index out of bounds (0)"},
        {"header cut short", {"1", "1", "1", "0"}, "List index out of bounds (4)"},
        {"outputs cut short", {"2", "1", "1", "0", "0", "1", "1", "2"}, "List index out of bounds (8)"},
        {"extra lines ignored", {"1", "1", "1", "0", "0", "0", "basura"}, nullptr},
        {"count above the table", {"1", "1", "1", "0", "0", "101"}, "'101' is not a valid pattern count"},
        {"negative count", {"1", "1", "1", "0", "0", "-1"}, "'-1' is not a valid pattern count"},
        {"count is checked before values", {"1", "1", "1", "0", "0", " 200"}, "' 200' is not a valid pattern count"},
        {"count must be an integer", {"1", "1", "1", "0", "0", "2.0"}, "'2.0' is not a valid integer value"},
    };
    for (const Case& testCase : cases) {
        std::string message = MessageOf([&] { DescribeRna(LineText(testCase.lines)); });
        EXPECT_EQ(message, testCase.message ? testCase.message : "(no error)") << testCase.name;
    }
}

TEST(DescribeRna, FullTableOfHundredPatternsReads) {
    Lines lines{"1", "1", "1", "0", "0", "100"};
    for (int v = 0; v < 200; ++v) lines.push_back(std::to_string(v));
    NetworkDescription d = DescribeRna(LineText(lines));
    EXPECT_EQ(d.Patterns->NumeroPatrones, 100);
    EXPECT_EQ(d.Patterns->Entradas.back(), 99);
    EXPECT_EQ(d.Patterns->Salidas.front(), 100);
}

TEST(DescribeRna, AnyLineBreakReadsTheSame) {
    const char* body[] = {"2", "3", "1", "0", "0", "1", "0.25", "-4", "1E-5"};
    std::string crlf, cr, lf;
    for (const char* line : body) {
        crlf += std::string(line) + "\r\n";
        cr += std::string(line) + "\r";
        lf += std::string(line) + "\n";
    }
    const std::vector<double> inputs{0.25, -4};
    for (const std::string& text : {crlf, cr, lf, crlf.substr(0, crlf.size() - 2)}) {
        NetworkDescription d = DescribeRna(text);
        EXPECT_EQ(d.Patterns->Entradas, inputs);
        EXPECT_EQ(d.Patterns->Salidas, (std::vector<double>{1e-5}));
    }
}

TEST(ReadRna, NamesTheNetworkAfterTheFileAndReportsUnreadableFiles) {
    TemporaryFolder folder;
    const std::string text = LineText({"1", "1", "1", "0", "0", "0"});
    WriteBytes(folder.Path("xor.copia.rna"), text);
    WriteBytes(folder.Path(".rna"), text);
    EXPECT_EQ(ReadRna(folder.Path("xor.copia.rna")).NombreRed, "xor");
    EXPECT_EQ(ReadRna(folder.Path(".rna")).NombreRed, "");

    const std::string missing = folder.Path("falta.rna");
    EXPECT_EQ(MessageOf([&] { ReadRna(missing); }), "Cannot open file " + missing);
    EXPECT_EQ(MessageOf([&] { ReadRna(folder.Folder().string()); }),
              "Cannot open file " + folder.Folder().string());
}

}  // namespace
