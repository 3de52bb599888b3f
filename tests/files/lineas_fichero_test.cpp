#include "lineas_fichero.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct CasoDivision {
    const char* nombre;
    std::string texto;
    std::vector<std::string> lineas;
};

TEST(DividirLineas, SplitsAtEveryKindOfBreak) {
    using namespace std::string_literals;
    const CasoDivision casos[] = {
        {"empty text", "", {}},
        {"CR LF", "a\r\nb\r\n", {"a", "b"}},
        {"lone LF", "a\nb\n", {"a", "b"}},
        {"lone CR", "a\rb\r", {"a", "b"}},
        {"no final break", "a\r\nb", {"a", "b"}},
        {"mixed breaks", "a\rb\nc\r\nd", {"a", "b", "c", "d"}},
        {"LF then CR are two breaks", "a\n\rb", {"a", "", "b"}},
        {"empty line inside", "a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"only a break", "\r\n", {""}},
        {"two final breaks", "a\r\n\r\n", {"a", ""}},
        {"NUL ends the text", "a\r\nb\0c\r\nd"s, {"a", "b"}},
        {"NUL first", "\0a\r\n"s, {}},
        {"blanks stay", " 3 \r\n", {" 3 "}},
    };
    for (const CasoDivision& caso : casos) {
        std::vector<std::string_view> lineas = DividirLineas(caso.texto);
        EXPECT_EQ(std::vector<std::string>(lineas.begin(), lineas.end()), caso.lineas) << caso.nombre;
    }
}

TEST(UnirLineas, EndsEveryLineWithCrLf) {
    EXPECT_EQ(UnirLineas({"2", "0,5"}), "2\r\n0,5\r\n");
    EXPECT_EQ(UnirLineas({""}), "\r\n");
    EXPECT_EQ(UnirLineas({}), "");
}

}  // namespace
