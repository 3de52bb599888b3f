// SPDX-License-Identifier: GPL-3.0-or-later
#include "io_names.h"

#include <gtest/gtest.h>

#include "program_error.h"

#include <string>

namespace {

std::string Repeated(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

}  // namespace

// A typed name: accepted as it is, or refused with its plain message.
TEST(IoNames, TypedNameIsOneLineOfAtMost40Characters) {
    struct Case {
        std::string name, message;  // no message: accepted
    };
    const Case cases[] = {
        {"Longitud del sépalo (cm)", ""},
        {"", ""},
        {Repeated("é", 40), ""},  // 80 bytes, 40 characters
        {Repeated("🌸", 40), ""},
        {Repeated("a", 41), "Un nombre tiene como mucho 40 caracteres y este tiene 41"},
        {Repeated("é", 41), "Un nombre tiene como mucho 40 caracteres y este tiene 41"},
        {"Iris\nsetosa", "Un nombre no puede tener saltos de línea"},
        {"Iris\u2028setosa", "Un nombre no puede tener saltos de línea"},
        {"Iris\tsetosa", "Un nombre no puede tener tabuladores"},
        {std::string("Iris\0", 5), "Un nombre no puede tener caracteres de control"},
        {"Iris\x7f", "Un nombre no puede tener caracteres de control"},
        {"S\xe9palo", "El nombre no es texto UTF-8 válido"},         // Latin-1
        {"\xc0\xaf", "El nombre no es texto UTF-8 válido"},          // overlong "/"
        {"\xed\xa0\x80", "El nombre no es texto UTF-8 válido"},      // a surrogate
        {"\xe2\x82", "El nombre no es texto UTF-8 válido"},          // cut short
    };
    for (const Case& c : cases) {
        try {
            CheckTypedName(c.name);
            EXPECT_EQ(c.message, "") << c.name;
        } catch (const ProgramError& error) {
            EXPECT_EQ(error.what(), c.message) << c.name;
        }
    }
}

TEST(IoNames, HeaderCellIsCutToItsFirstLineAnd40CharactersSayingSo) {
    struct Case {
        std::string cell, name, note;
    };
    const std::string cut40 = "Columna 3: el nombre se ha cortado a 40 caracteres";
    const Case cases[] = {
        {"Pétalo (cm)", "Pétalo (cm)", ""},
        {"  Pétalo  ", "Pétalo", ""},
        {"Ancho\r\n", "Ancho", ""},
        {"Ancho\ndel pétalo", "Ancho", "Columna 3: el nombre se ha cortado a su primera línea"},
        {"\nAncho", "", "Columna 3: el nombre se ha cortado a su primera línea"},
        {Repeated("ñ", 45), Repeated("ñ", 40), cut40},
        {Repeated("a", 39) + "   b", Repeated("a", 39), cut40},
        {Repeated("a", 40) + "   ", Repeated("a", 40), ""},
        {Repeated("a", 50) + "\nb", Repeated("a", 40), "Columna 3: el nombre se ha cortado a su primera línea y a 40 caracteres"},
        {"Iris\tsetosa", "Iris setosa", "Columna 3: el nombre tiene espacios en lugar de tabuladores y caracteres de control"},
        {"S\xe9palo", "", "Columna 3: el nombre no es texto UTF-8 válido y se deja el de siempre"},
    };
    for (const Case& c : cases) {
        const HeaderName header = NameFromHeader(c.cell, 3);
        EXPECT_EQ(header.name, c.name) << c.cell;
        EXPECT_EQ(header.note, c.note) << c.cell;
        EXPECT_NO_THROW(CheckTypedName(header.name)) << c.cell;
    }
}

// The name shown: the state's own where it has one, the default elsewhere;
// names need saving only when one shown differs from its default.
TEST(IoNames, ShownNameIsTheOwnOneOrTheDefault) {
    struct Case {
        std::vector<std::string> inputs, outputs;
        std::string input2, output3;
        bool own;
    };
    const Case cases[] = {
        {{}, {}, "Entrada 2", "Salida 3", false},
        {{"Sépalo", "Sépalo", "Pétalo"}, {"setosa", "versicolor", "virginica"}, "Sépalo", "virginica", true},
        {{"a", ""}, {}, "Entrada 2", "Salida 3", true},
        {{"Entrada 1", "Entrada 2", "Entrada 3"}, {"Salida 1"}, "Entrada 2", "Salida 3", false},
        {{}, {"x", "y"}, "Entrada 2", "Salida 3", true},
    };
    for (const Case& c : cases) {
        WorkState state;
        state.InputNames = c.inputs;
        state.OutputNames = c.outputs;
        EXPECT_EQ(InputName(state, 2), c.input2);
        EXPECT_EQ(OutputName(state, 3), c.output3);
        EXPECT_EQ(HasOwnNames(state, 3, 3), c.own) << c.input2 << " " << c.output3;
    }
}
