// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_names.h"

#include <gtest/gtest.h>

namespace {

struct NameCase {
    const char* input;
    const char* output;
};

TEST(QuitarExtension, CutsAtTheFirstPoint) {
    const NameCase cases[] = {
        {"xor.rna", "xor"}, {"xor.copia.rna", "xor"}, {".rna", ""}, {"xor", "xor"}, {"", ""},
    };
    for (const NameCase& testCase : cases) EXPECT_EQ(QuitarExtension(testCase.input), testCase.output) << testCase.input;
}

TEST(NameWithoutFolder, KeepsTheExtension) {
    const NameCase cases[] = {
        {"/home/ana/xor.rna", "xor.rna"},
        {"xor.copia.rna", "xor.copia.rna"},
        {"/datos.2024/.rna", ".rna"},
        {"/redes/", ""},
    };
    for (const NameCase& testCase : cases) EXPECT_EQ(NameWithoutFolder(testCase.input), testCase.output) << testCase.input;
}

TEST(CompanionPath, CutsTheWholePathAtItsFirstPoint) {
    const NameCase cases[] = {
        {"C:\\redes\\xor.ren", "C:\\redes\\xor.rna"},
        {"C:\\datos.2024\\xor.ren", "C:\\datos.rna"},
        {"/home/ana/xor.ren", "/home/ana/xor.rna"},
        {"/home/ana/redes.v2/xor.ren", "/home/ana/redes.rna"},
        {"/home/ana/xor.copia.ren", "/home/ana/xor.rna"},
        {"/home/ana/xor", "/home/ana/xor.rna"},
    };
    for (const NameCase& testCase : cases) EXPECT_EQ(CompanionPath(testCase.input), testCase.output) << testCase.input;
}

}  // namespace
