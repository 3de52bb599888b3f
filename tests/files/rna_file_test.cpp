#include "rna_file.h"

#include "file_test_helpers.h"
#include "work_state.h"
#include "line_splitter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

std::string LineText(const Lines& lineas) { return JoinLines(lineas); }

TEST(RnaLines, CommaExampleHasTwelveLinesInOrder) {
    TRedNeuronal red;
    Topology(red, 2, 3, 1);
    WorkState estado;
    estado.NumeroPatrones = 2;
    estado.EntradasPatrones[1][1] = 0;
    estado.EntradasPatrones[1][2] = 0.5;
    estado.SalidasPatrones[1][1] = 1;
    estado.EntradasPatrones[2][1] = 1;
    estado.EntradasPatrones[2][2] = 1;
    estado.SalidasPatrones[2][1] = 0;
    EXPECT_EQ(RnaLines(red, estado, 0, 0, ','), (Lines{"2", "3", "1", "0", "0", "2", "0", "0,5", "1", "1", "1", "0"}));
}

TEST(RnaLines, InputsOfAllPatternsPrecedeTheirOutputs) {
    TRedNeuronal red;
    Topology(red, 2, 4, 1);
    WorkState estado;
    estado.NumeroPatrones = 3;
    for (int p = 1; p <= 3; ++p) {
        estado.EntradasPatrones[p][1] = p * 10 + 1;
        estado.EntradasPatrones[p][2] = p * 10 + 2;
        estado.EntradasPatrones[p][3] = 99;  // beyond the network's inputs: not saved
        estado.SalidasPatrones[p][1] = -p;
    }
    estado.EntradasPatrones[4][1] = 77;  // beyond the pattern count: not saved
    EXPECT_EQ(RnaLines(red, estado, -1, 2, '.'),
              (Lines{"2", "4", "1", "-1", "2", "3", "11", "12", "21", "22", "31", "32", "-1", "-2", "-3"}));
}

TEST(RnaLines, BeforeAnyChoiceWritesStartUpTopologyAndNoPatterns) {
    TRedNeuronal red;
    PrepareStartUpNetwork(red);
    WorkState estado;
    EXPECT_EQ(RnaLines(red, estado, -1, -1, '.'), (Lines{"2", "2", "1", "-1", "-1", "0"}));
}

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

TEST(DescribeRna, RealsReadWithEitherSeparator) {
    // A file saved under one regional separator opens under the other.
    for (const char* medio : {"0,5", "0.5"}) {
        EXPECT_EQ(DescribeRna(LineText({"1", "1", "1", "0", "0", "1", medio, "-2,5E-7"})).Patterns->Entradas[0], 0.5);
    }
    std::string mensaje = MessageOf([&] { DescribeRna(LineText({"1", "1", "1", "0", "0", "1", "1,5.0", "1"})); });
    EXPECT_EQ(mensaje, "'1,5.0' is not a valid floating point value");
    EXPECT_EQ(WithClosingPeriod(mensaje), "'1,5.0' is not a valid floating point value.");
    EXPECT_EQ(MessageOf([&] { DescribeRna(LineText({"1", "1", "1", "0", "0", "1,0"})); }), "'1,0' is not a valid integer value");
}

TEST(DescribeRna, MessagesQuoteTheStartOfALongLine) {
    const std::string a64(64, 'a');
    const std::string enie = "\xc3\xb1";  // one character, two bytes
    struct Case {
        const char* nombre;
        Lines lineas;
        std::string mensaje;
    };
    const Case casos[] = {
        {"64 characters, whole", {a64}, "'" + a64 + "' is not a valid integer value"},
        {"65 characters, cut", {a64 + "b"}, "'" + a64 + "\u2026' is not a valid integer value"},
        {"a character is not split", {a64.substr(1) + enie + "b"}, "'" + a64.substr(1) + "\u2026' is not a valid integer value"},
        {"pattern count", {"1", "1", "1", "0", "0", std::string(70, ' ') + "200"}, "'" + std::string(64, ' ') + "\u2026' is not a valid pattern count"},
        // Longer than any number: refused although its digits read.
        {"long real", {"1", "1", "1", "0", "0", "1", "1" + std::string(kMaxLineLength, '0'), "1"},
         "'1" + std::string(63, '0') + "\u2026' is not a valid floating point value"},
    };
    for (const Case& caso : casos) EXPECT_EQ(MessageOf([&] { DescribeRna(LineText(caso.lineas)); }), caso.mensaje) << caso.nombre;

    const std::string mensaje = MessageOf([] { DescribeRna(std::string(10'000'000, '9')); });
    EXPECT_EQ(mensaje, "'" + std::string(64, '9') + "\u2026' is not a valid integer value");
    EXPECT_LT(mensaje.size(), 200u);
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

TEST(DescribeRna, SelectionsOutsideTheListsReadAsNone) {
    struct Case {
        const char* regla;
        const char* funcion;
        int seleccionRegla;
        int seleccionFuncion;
    };
    const Case casos[] = {
        {"0", "1", 0, 1}, {"0", "2", 0, 2}, {"-1", "-1", -1, -1}, {"1", "3", -1, -1}, {"$0", "-5", 0, -1},
    };
    for (const Case& caso : casos) {
        NetworkDescription d = DescribeRna(LineText({"1", "1", "1", caso.regla, caso.funcion, "0"}));
        EXPECT_EQ(d.Header.RuleSelection, caso.seleccionRegla) << caso.regla;
        EXPECT_EQ(d.Header.FunctionSelection, caso.seleccionFuncion) << caso.funcion;
    }
}

TEST(DescribeRna, LineFormsAndTheirMessages) {
    struct Case {
        const char* nombre;
        Lines lineas;
        const char* mensaje;  // nullptr: the file reads
    };
    const Case casos[] = {
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
    for (const Case& caso : casos) {
        std::string mensaje = MessageOf([&] { DescribeRna(LineText(caso.lineas)); });
        EXPECT_EQ(mensaje, caso.mensaje ? caso.mensaje : "(no error)") << caso.nombre;
    }
}

TEST(DescribeRna, FullTableOfHundredPatternsReads) {
    Lines lineas{"1", "1", "1", "0", "0", "100"};
    for (int v = 0; v < 200; ++v) lineas.push_back(std::to_string(v));
    NetworkDescription d = DescribeRna(LineText(lineas));
    EXPECT_EQ(d.Patterns->NumeroPatrones, 100);
    EXPECT_EQ(d.Patterns->Entradas.back(), 99);
    EXPECT_EQ(d.Patterns->Salidas.front(), 100);
}

TEST(DescribeRna, AnyLineBreakReadsTheSame) {
    const char* cuerpo[] = {"2", "3", "1", "0", "0", "1", "0.25", "-4", "1E-5"};
    std::string crlf, cr, lf;
    for (const char* linea : cuerpo) {
        crlf += std::string(linea) + "\r\n";
        cr += std::string(linea) + "\r";
        lf += std::string(linea) + "\n";
    }
    const std::vector<double> entradas{0.25, -4};
    for (const std::string& texto : {crlf, cr, lf, crlf.substr(0, crlf.size() - 2)}) {
        NetworkDescription d = DescribeRna(texto);
        EXPECT_EQ(d.Patterns->Entradas, entradas);
        EXPECT_EQ(d.Patterns->Salidas, (std::vector<double>{1e-5}));
    }
}

TEST(ReadRna, NamesTheNetworkAfterTheFileAndReportsUnreadableFiles) {
    TemporaryFolder carpeta;
    const std::string texto = LineText({"1", "1", "1", "0", "0", "0"});
    WriteBytes(carpeta.Path("xor.copia.rna"), texto);
    WriteBytes(carpeta.Path(".rna"), texto);
    EXPECT_EQ(ReadRna(carpeta.Path("xor.copia.rna")).NombreRed, "xor");
    EXPECT_EQ(ReadRna(carpeta.Path(".rna")).NombreRed, "");

    const std::string falta = carpeta.Path("falta.rna");
    EXPECT_EQ(MessageOf([&] { ReadRna(falta); }), "Cannot open file " + falta);
    EXPECT_EQ(MessageOf([&] { ReadRna(carpeta.Folder().string()); }),
              "Cannot open file " + carpeta.Folder().string());
}

}  // namespace
