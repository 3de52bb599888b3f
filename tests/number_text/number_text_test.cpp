// SPDX-License-Identifier: GPL-3.0-or-later
#include "integer_text.h"
#include "real_reading.h"
#include "real_text.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <string_view>

namespace {

struct TextCase {
    double value;
    const char* point;  // written with "." as the separator
};

// One row per rendering rule; a failure names its row.
const TextCase kTexts[] = {
    {0.0, "0"},
    {-0.0, "0"},
    {0.5, "0.5"},
    {-0.25, "-0.25"},
    {0.0001, "0.0001"},
    {3.0, "3"},
    {12.5, "12.5"},
    {-3.0, "-3"},
    {0.1, "0.1"},
    {1.0 / 3.0, "0.333333333333333"},
    {2.0 / 3.0, "0.666666666666667"},
    {123456789012345.0, "123456789012345"},
    {100.0, "100"},
    {0.00001, "1E-5"},
    {-0.00000025, "-2.5E-7"},
    {1e15, "1E15"},
    {1.5e20, "1.5E20"},
    {1e20, "1E20"},
    {1e-300, "1E-300"},
    {std::numeric_limits<double>::max(), "1.79769313486232E308"},
    {std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
    // Exact halves at the sixteenth digit go away from zero (not to even).
    {1000000000000025.0, "1.00000000000003E15"},
    {-1000000000000025.0, "-1.00000000000003E15"},
    {562949953421312.5, "562949953421313"},
    // Rounding decides the notation: these carry into a new leading digit.
    {999999999999999.5, "1E15"},
    {std::nextafter(1e15, 0.0), "1E15"},
    {std::nextafter(1.0, 0.0), "1"},
    {std::nextafter(0.0001, 0.0), "0.0001"},
    {9.99999999999999e-5, "9.99999999999999E-5"},
    // Exact digits 16.. are 4999 9 followed by a digit >= 5: a twenty-digit
    // rendering rounds them up to 5000 0, the exact value must not.
    {0x1.562d4ca3d3fffp-1, "0.668314356802511"},
    {0x1.8bad6dd89bb12p-1, "0.772807533923556"},
    // Next to powers of ten, where the first digit's place is easy to misjudge.
    {1e-13, "1E-13"},
    {std::nextafter(1e-13, 0.0), "1E-13"},
    {1e14, "100000000000000"},
    {std::nextafter(1e14, 0.0), "100000000000000"},
    {99999999999999.9, "99999999999999.9"},
    {0.001, "0.001"},
    {std::nextafter(0.001, 1.0), "0.001"},
    {9.999999999999995, "9.99999999999999"},
    {8.5, "8.5"},
    {1.0000000000000002, "1"},
};

TEST(RealText, RendersEachRuleWithPoint) {
    for (const TextCase& testCase : kTexts) {
        EXPECT_EQ(RealText(testCase.value, '.'), testCase.point) << testCase.point;
    }
}

TEST(RealText, UsesTheGivenSeparatorOnly) {
    for (const TextCase& testCase : kTexts) {
        std::string expected = testCase.point;
        for (char& c : expected) {
            if (c == '.') c = ',';
        }
        EXPECT_EQ(RealText(testCase.value, ','), expected) << testCase.point;
    }
}

// Away from exact ties, the 15 digits must equal those of a correctly rounded
// conversion of the exact value; compared over values of every magnitude.
TEST(RealText, AgreesWithCorrectRoundingOnRandomDoubles) {
    std::mt19937_64 random(20261207);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    for (int n = 0; n < 400000; ++n) {
        // Half any bit pattern, half the magnitudes weights and patterns have.
        double value = n % 2 ? std::bit_cast<double>(random()) : mantissa(random) * std::pow(10.0, static_cast<int>(random() % 32) - 15);
        if (!std::isfinite(value) || value == 0.0) continue;
        std::array<char, 800> exact{};
        auto end = std::to_chars(exact.data(), exact.data() + exact.size(), std::fabs(value), std::chars_format::scientific, 770).ptr;
        std::string_view tail(exact.data() + 16, static_cast<std::size_t>(end - exact.data() - 16));
        tail = tail.substr(0, tail.find('e'));
        if (tail.front() == '5' && tail.find_first_not_of('0', 1) == std::string_view::npos) continue;  // ties: table rows
        std::array<char, 40> reference{};
        auto r = std::to_chars(reference.data(), reference.data() + reference.size(), value, std::chars_format::scientific, 14);
        std::string text(reference.data(), r.ptr);
        double expected = 0.0;
        std::from_chars(text.data(), text.data() + text.size(), expected);
        std::optional<double> readValue = ReadReal(RealText(value, ','), ',');
        ASSERT_TRUE(readValue.has_value()) << text;
        EXPECT_EQ(*readValue, expected) << text;
    }
}

TEST(IntegerText, WritesPlainDecimal) {
    EXPECT_EQ(IntegerText(0), "0");
    EXPECT_EQ(IntegerText(-1), "-1");
    EXPECT_EQ(IntegerText(100), "100");
    EXPECT_EQ(IntegerText(std::numeric_limits<std::int32_t>::min()), "-2147483648");
}

struct IntegerCase {
    const char* text;
    std::optional<std::int32_t> value;
};

const IntegerCase kIntegers[] = {
    {"3", 3},
    {" 3", 3},
    {"   -3", -3},
    {"+3", 3},
    {"007", 7},
    {"-0", 0},
    {"$1F", 31},
    {"x10", 16},
    {"X10", 16},
    {"0x1f", 31},
    {"0X1F", 31},
    {"-$10", -16},
    {"2147483647", 2147483647},
    {"-2147483648", std::numeric_limits<std::int32_t>::min()},
    {"-0x80000000", std::numeric_limits<std::int32_t>::min()},
    {"$7FFFFFFF", 2147483647},
    {"000000000000000000000012", 12},
    {"3 ", std::nullopt},
    {"", std::nullopt},
    {" ", std::nullopt},
    {"+", std::nullopt},
    {"-", std::nullopt},
    {"$", std::nullopt},
    {"0x", std::nullopt},
    {"3.0", std::nullopt},
    {"1E3", std::nullopt},
    {"abc", std::nullopt},
    {"--3", std::nullopt},
    {"+-3", std::nullopt},
    {"3-", std::nullopt},
    {"$G", std::nullopt},
    {"2147483648", std::nullopt},
    {"-2147483649", std::nullopt},
    {"$80000000", std::nullopt},
    {"99999999999999999999999", std::nullopt},
    {"\t3", std::nullopt},
};

TEST(ReadInteger, AcceptsExactlyTheIntegerForms) {
    for (const IntegerCase& testCase : kIntegers) {
        EXPECT_EQ(ReadInteger(testCase.text, IntegerForms::DecimalOrHexadecimal), testCase.value) << "'" << testCase.text << "'";
    }
}

struct RealCase {
    const char* text;
    char separator;
    RealStatus state;
    double value;
};

constexpr auto Ok = RealStatus::Valid;
constexpr auto No = RealStatus::NotANumber;
constexpr auto Overflows = RealStatus::Overflow;

const RealCase kReals[] = {
    {"0.5", '.', Ok, 0.5},
    {"0,5", ',', Ok, 0.5},
    {"0,5", '.', No, 0},
    {"0.5", ',', No, 0},
    {"  -0.25", '.', Ok, -0.25},
    {"0.5 ", '.', Ok, 0.5},
    {"0.5   ", ',', No, 0},
    {"+1", '.', Ok, 1},
    {"-3", ',', Ok, -3},
    {"1E-5", '.', Ok, 1e-5},
    {"1e5", '.', Ok, 1e5},
    {"1E+5", '.', Ok, 1e5},
    {"-2,5E-7", ',', Ok, -2.5e-7},
    {".5", '.', Ok, 0.5},
    {"5.", '.', Ok, 5},
    {"0.333333333333333", '.', Ok, 0.333333333333333},
    {"", '.', No, 0},
    {" ", '.', No, 0},
    {".", '.', No, 0},
    {"-", '.', No, 0},
    {"abc", '.', No, 0},
    {"1..2", '.', No, 0},
    {"1.2.3", '.', No, 0},
    {"E5", '.', No, 0},
    {"1E", '.', No, 0},
    {"1E+", '.', No, 0},
    {"1 2", '.', No, 0},
    {"1.5x", '.', No, 0},
    {"0x10", '.', No, 0},
    {"INF", '.', No, 0},
    {"NAN", '.', No, 0},
    {"1.5 E3", '.', No, 0},
    {"1E400", '.', Overflows, 0},
    {"-1E400", '.', Overflows, 0},
    {"1.7976931348623157E308", '.', Ok, std::numeric_limits<double>::max()},
    // Up to the largest double's 15-digit text, which lies above it: that double.
    {"1.7976931348623159E308", '.', Ok, std::numeric_limits<double>::max()},
    {"1.79769313486232E308", '.', Ok, std::numeric_limits<double>::max()},
    {"-0,179769313486232000E309", ',', Ok, -std::numeric_limits<double>::max()},
    {"1.797693134862320001E308", '.', Overflows, 0},
    {"1.79769313486233E308", '.', Overflows, 0},
    {"1.8E308", '.', Overflows, 0},
    {"1E99999999999999999999", '.', Overflows, 0},
    {"1E9300000000000000000", '.', Overflows, 0},  // an exponent past 64 bits by a little
    {"1E-9300000000000000000", '.', Ok, 0},
    {"0.0000000001E315", '.', Ok, 1e305},
    {"1E-400", '.', Ok, 0},
    {"1E-99999999999999999999", '.', Ok, 0},
    {"0E99999999999999999999", '.', Ok, 0},
    {"4.9406564584124654E-324", '.', Ok, std::numeric_limits<double>::denorm_min()},
};

TEST(ParseReal, AcceptsExactlyTheRealForms) {
    for (const RealCase& testCase : kReals) {
        RealReading reading = ParseReal(testCase.text, testCase.separator);
        EXPECT_EQ(reading.status, testCase.state) << "'" << testCase.text << "' " << testCase.separator;
        if (testCase.state == Ok) {
            EXPECT_EQ(reading.value, testCase.value) << "'" << testCase.text << "'";
        }
    }
}

TEST(ParseReal, MagnitudeDecidesOverflowForLongMantissas) {
    std::string large = "1" + std::string(400, '0');
    EXPECT_EQ(ParseReal(large, '.').status, Overflows);
    std::string small = "0." + std::string(400, '0') + "1";
    RealReading reading = ParseReal(small, '.');
    EXPECT_EQ(reading.status, Ok);
    EXPECT_EQ(reading.value, 0.0);
    EXPECT_TRUE(std::signbit(ParseReal("-1E-400", '.').value));
}

TEST(ReadReal, GivesNothingForTextsThatAreNotFiniteReals) {
    EXPECT_EQ(ReadReal("12,5", ','), 12.5);
    EXPECT_FALSE(ReadReal("12,5", '.').has_value());
    EXPECT_FALSE(ReadReal("1E400", '.').has_value());
}

}  // namespace
