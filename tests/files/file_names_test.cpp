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

// The file's own name is cut at its first "."; the folder stays whole.
TEST(CompanionPath, CutsTheFileNameAtItsFirstPoint) {
    const NameCase cases[] = {
        {"/home/ana/xor.ren", "/home/ana/xor.rna"},
        {"nets.v2/net.ren", "nets.v2/net.rna"},
        {"/home/ana/datos.2024/xor.ren", "/home/ana/datos.2024/xor.rna"},
        {"./x.ren", "./x.rna"},
        {"../x.ren", "../x.rna"},
        {"red.v2.ren", "red.rna"},
        {"/home/ana/.ren", "/home/ana/.rna"},
        {"/home/ana/xor", "/home/ana/xor.rna"},
    };
    for (const NameCase& testCase : cases) EXPECT_EQ(CompanionPath(testCase.input), testCase.output) << testCase.input;
}

}  // namespace
