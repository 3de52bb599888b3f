// SPDX-License-Identifier: GPL-3.0-or-later
#include "rna_file.h"

#include "file_test_helpers.h"
#include "line_splitter.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// 2 inputs, 1 output, one pattern (0.5, 1 -> 0): lines 1-9.
const Lines kTraining{"2", "2", "1", "0", "0", "1", "0,5", "1", "0"};

Lines Joined(Lines first, const Lines& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

const std::string kTestNotRead = "El bloque [prueba] (patrones de prueba) no se ha leído: ";
const std::string kLearningNotRead = "El bloque [aprendizaje] (tasa de aprendizaje y momento) no se ha leído: ";
const std::string kNamesNotRead = "El bloque [nombres] (nombres de entradas y salidas) no se ha leído: ";
const std::string kRestUnread = " Lo que le sigue en el fichero tampoco se ha leído.";

TEST(DescribeRna, OptionalBlocksReadOrAreLeftOutWithANote) {
    struct Case {
        const char* name;
        Lines after;  // the lines after the training part
        std::optional<FilePatterns> test;
        std::optional<LearningSettings> learning;
        Lines inputNames, outputNames;
        std::string warning;
    };
    const FilePatterns testSet{2, {1, 2, 3, 4}, {-1, 1e-5}};
    const Lines testBlock{"[prueba]", "2", "1", "2", "3", "4", "-1", "1E-5"};
    const std::string a40(40, 'a');
    std::string enye40;
    for (int c = 0; c < 40; ++c) enye40 += "\xc3\xb1";
    const Case cases[] = {
        {"nothing after the patterns", {}, {}, {}, {}, {}, ""},
        {"empty and blank lines after them", {"", "  ", ""}, {}, {}, {}, {}, ""},
        {"any other line ends the file, as always", {"basura", "[prueba]", "0"}, {}, {}, {}, {}, ""},
        {"a test set", testBlock, testSet, {}, {}, {}, ""},
        {"an empty test set", {"[prueba]", "0"}, FilePatterns{0, {}, {}}, {}, {}, {}, ""},
        {"every block, in any order, blank lines between",
         Joined({"[nombres]", "largo", enye40, "clase", "", "[aprendizaje]", "10", "0"}, testBlock),
         testSet, LearningSettings{10, 0}, {"largo", enye40}, {"clase"}, ""},
        {"names may be empty and repeated, with point or comma reals", {"[nombres]", "", "", "", "[aprendizaje]", "0.1", "0,9"},
         {}, LearningSettings{0.1, 0.9}, {"", ""}, {""}, ""},
        {"count above 100: the rest is not read", {"[prueba]", "101", "[aprendizaje]", "1", "0"}, {}, {}, {}, {},
         kTestNotRead + "la línea 11, '101', no es un número de patrones entre 0 y 100." + kRestUnread},
        {"count not an integer", {"[prueba]", "1.0"}, {}, {}, {}, {},
         kTestNotRead + "la línea 11, '1.0', no es un número de patrones entre 0 y 100." + kRestUnread},
        {"too few lines", {"[prueba]", "1", "1", "2"}, {}, {}, {}, {}, kTestNotRead + "el fichero termina antes de acabar el bloque."},
        {"a value not a number: the next block is read", {"[prueba]", "1", "1", "x", "0", "[aprendizaje]", "2", "0,5"}, {},
         LearningSettings{2, 0.5}, {}, {}, kTestNotRead + "la línea 13, 'x', no es un número válido."},
        {"an output beyond a double", {"[prueba]", "1", "1", "2", "-1E999"}, {}, {}, {}, {},
         kTestNotRead + "la línea 14, '-1E999', no cabe en un número en coma flotante."},
        {"a line too long", {"[prueba]", "1", "1", std::string(5000, '1'), "0"}, {}, {}, {}, {},
         kTestNotRead + "la línea 13 es demasiado larga."},
        {"a marker with a trailing blank", {"[prueba] ", "0"}, {}, {}, {}, {},
         kTestNotRead + "la marca de la línea 10 tiene espacios en blanco." + kRestUnread},
        {"η of 0", {"[aprendizaje]", "0", "0"}, {}, {}, {}, {},
         kLearningNotRead + "la línea 11, '0', no es una tasa de aprendizaje η válida (mayor que 0 y como mucho 10)."},
        {"η above 10", {"[aprendizaje]", "10,5", "0"}, {}, {}, {}, {},
         kLearningNotRead + "la línea 11, '10,5', no es una tasa de aprendizaje η válida (mayor que 0 y como mucho 10)."},
        {"α of 1", {"[aprendizaje]", "1", "1"}, {}, {}, {}, {},
         kLearningNotRead + "la línea 12, '1', no es un momento α válido (de 0 a 1, sin llegar a 1)."},
        {"α below 0", {"[aprendizaje]", "1", "-0,1"}, {}, {}, {}, {},
         kLearningNotRead + "la línea 12, '-0,1', no es un momento α válido (de 0 a 1, sin llegar a 1)."},
        {"α on a line too long", {"[aprendizaje]", "1", "0," + std::string(5000, '1')}, {}, {}, {}, {},
         kLearningNotRead + "la línea 12 es demasiado larga."},
        {"α missing", {"[aprendizaje]", "1"}, {}, {}, {}, {}, kLearningNotRead + "el fichero termina antes de acabar el bloque."},
        {"too few names", {"[nombres]", "a", "b"}, {}, {}, {}, {}, kNamesNotRead + "el fichero termina antes de acabar el bloque."},
        {"40 characters fit, 41 do not", {"[nombres]", a40, a40 + "b", "c", "[prueba]", "0"}, FilePatterns{0, {}, {}}, {}, {}, {},
         kNamesNotRead + "el nombre de la línea 12 tiene más de 40 caracteres."},
        {"a name not in UTF-8", {"[nombres]", "a", "b\xc3(", "c"}, {}, {}, {}, {},
         kNamesNotRead + "el nombre de la línea 12 no es texto UTF-8 válido."},
        {"an encoded surrogate", {"[nombres]", "\xed\xa0\x80", "b", "c"}, {}, {}, {}, {},
         kNamesNotRead + "el nombre de la línea 11 no es texto UTF-8 válido."},
        {"a name with a tab", {"[nombres]", "a\tb", "b", "c"}, {}, {}, {}, {},
         kNamesNotRead + "el nombre de la línea 11 tiene un tabulador."},
        {"an unknown marker", {"[otro]", "[aprendizaje]", "1", "0"}, {}, {}, {}, {},
         "La línea 10, '[otro]', no empieza ningún bloque conocido; lo que sigue en el fichero no se ha leído."},
        {"a line after a block that starts none", {"[aprendizaje]", "1", "0", "3"}, {}, LearningSettings{1, 0}, {}, {},
         "La línea 13, '3', no empieza ningún bloque conocido; lo que sigue en el fichero no se ha leído."},
        {"a block twice", {"[aprendizaje]", "1", "0", "[aprendizaje]", "2", "0"}, {}, LearningSettings{1, 0}, {}, {},
         "El bloque [aprendizaje] aparece otra vez en la línea 13: solo se ha leído el primero, y lo que sigue en el "
         "fichero no se ha leído."},
        {"two bad blocks, two notes", {"[aprendizaje]", "0", "0", "[nombres]", "a"}, {}, {}, {}, {},
         kLearningNotRead + "la línea 11, '0', no es una tasa de aprendizaje η válida (mayor que 0 y como mucho 10).\n" +
             kNamesNotRead + "el fichero termina antes de acabar el bloque."},
    };
    for (const Case& c : cases) {
        const NetworkDescription d = DescribeRna(JoinLines(Joined(kTraining, c.after)));
        ASSERT_TRUE(d.Patterns.has_value()) << c.name;
        EXPECT_EQ(d.Patterns->Entradas, (std::vector<double>{0.5, 1})) << c.name;
        EXPECT_EQ(d.Patterns->Salidas, (std::vector<double>{0})) << c.name;
        EXPECT_EQ(d.TestPatterns.has_value(), c.test.has_value()) << c.name;
        if (d.TestPatterns && c.test) {
            EXPECT_EQ(d.TestPatterns->NumeroPatrones, c.test->NumeroPatrones) << c.name;
            EXPECT_EQ(d.TestPatterns->Entradas, c.test->Entradas) << c.name;
            EXPECT_EQ(d.TestPatterns->Salidas, c.test->Salidas) << c.name;
        }
        EXPECT_EQ(d.Learning, c.learning) << c.name;
        EXPECT_EQ(d.InputNames, c.inputNames) << c.name;
        EXPECT_EQ(d.OutputNames, c.outputNames) << c.name;
        EXPECT_EQ(d.Warning, c.warning) << c.name;
    }
}

TEST(RnaLines, BlocksFollowThePatternsOnlyWhenTheyHoldSomethingAndReadBack) {
    TRedNeuronal network;
    Topology(network, 2, 3, 1);
    const FilePatterns training{1, {0.5, 1}, {0}};
    struct Case {
        const char* name;
        RnaBlocks blocks;
        Lines added;  // under a comma separator
    };
    const Case cases[] = {
        {"nothing to add", {}, {}},
        {"default names given", {{}, {}, {"Entrada 1", "Entrada 2"}, {"Salida 1"}}, {}},
        {"an empty test set", {{0, {}, {}}, {}, {}, {}}, {}},
        {"every block, in a fixed order",
         {{2, {1, 2, 3, 4}, {-1, 1e-5}}, {0.1, 0.9}, {"Sépalo (cm)", "Entrada 2"}, {"setosa"}},
         {"[prueba]", "2", "1", "2", "3", "4", "-1", "1E-5", "[aprendizaje]", "0,1", "0,9", "[nombres]", "Sépalo (cm)",
          "Entrada 2", "setosa"}},
        {"η alone differs", {{}, {2, 0}, {}, {}}, {"[aprendizaje]", "2", "0"}},
        {"α alone differs", {{}, {0.35, 0.5}, {}, {}}, {"[aprendizaje]", "0,35", "0,5"}},
        // Fifteen digits would round it to 1, which no reader takes.
        {"α just below 1", {{}, {0.35, 0.9999999999999999}, {}, {}}, {"[aprendizaje]", "0,35", "0,999999999999999"}},
        {"one output renamed: the defaults fill the rest", {{}, {}, {}, {"y"}},
         {"[nombres]", "Entrada 1", "Entrada 2", "y"}},
    };
    for (const Case& c : cases) {
        const Lines plain = RnaLines(network, training, 0, 0, ',');
        const Lines lines = RnaLines(network, training, c.blocks, 0, 0, ',');
        EXPECT_EQ(lines, Joined(plain, c.added)) << c.name;
        // Read back and saved again, under either separator, the file is the same.
        for (const char separator : {',', '.'}) {
            const std::string text = JoinLines(RnaLines(network, training, c.blocks, 0, 0, separator));
            const NetworkDescription d = DescribeRna(text);
            EXPECT_EQ(d.Warning, "") << c.name;
            EXPECT_EQ(d.TestPatterns.has_value(), c.blocks.TestPatterns.NumeroPatrones > 0) << c.name;
            const RnaBlocks read{d.TestPatterns.value_or(FilePatterns{}), d.Learning.value_or(LearningSettings{}),
                                 d.InputNames, d.OutputNames};
            EXPECT_EQ(JoinLines(RnaLines(network, *d.Patterns, read, 0, 0, separator)), text) << c.name;
        }
    }
    EXPECT_EQ(MessageOf([&] { RnaLines(network, training, {{}, {}, {"a\nb"}, {}}, 0, 0, '.'); }),
              "El nombre 'a b' no se puede guardar: tiene un salto de línea");
}

}  // namespace
