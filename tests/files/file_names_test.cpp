#include "file_names.h"

#include <gtest/gtest.h>

namespace {

struct NameCase {
    const char* entrada;
    const char* salida;
};

TEST(QuitarExtension, CutsAtTheFirstPoint) {
    const NameCase casos[] = {
        {"xor.rna", "xor"}, {"xor.copia.rna", "xor"}, {".rna", ""}, {"xor", "xor"}, {"", ""},
    };
    for (const NameCase& caso : casos) EXPECT_EQ(QuitarExtension(caso.entrada), caso.salida) << caso.entrada;
}

TEST(NameWithoutFolder, KeepsTheExtension) {
    const NameCase casos[] = {
        {"/home/ana/xor.rna", "xor.rna"},
        {"xor.copia.rna", "xor.copia.rna"},
        {"/datos.2024/.rna", ".rna"},
        {"/redes/", ""},
    };
    for (const NameCase& caso : casos) EXPECT_EQ(NameWithoutFolder(caso.entrada), caso.salida) << caso.entrada;
}

TEST(CompanionPath, CutsTheWholePathAtItsFirstPoint) {
    const NameCase casos[] = {
        {"C:\\redes\\xor.ren", "C:\\redes\\xor.rna"},
        {"C:\\datos.2024\\xor.ren", "C:\\datos.rna"},
        {"/home/ana/xor.ren", "/home/ana/xor.rna"},
        {"/home/ana/redes.v2/xor.ren", "/home/ana/redes.rna"},
        {"/home/ana/xor.copia.ren", "/home/ana/xor.rna"},
        {"/home/ana/xor", "/home/ana/xor.rna"},
    };
    for (const NameCase& caso : casos) EXPECT_EQ(CompanionPath(caso.entrada), caso.salida) << caso.entrada;
}

}  // namespace
