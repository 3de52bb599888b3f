// SPDX-License-Identifier: GPL-3.0-or-later
// The number texts of the fields: display formats, the general, bare and
// fixed forms, and reading integers as a field takes them. Separators are
// passed in, so these tables hold under any locale.

#include "display_format.h"
#include "integer_text.h"
#include "real_reading.h"
#include "real_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

namespace {

const std::string kField = "##,##0.########";
const std::string kGrid = "##,##0.#######";

}  // namespace

TEST(DisplayFormat, DigitLimits) {
    struct Case { std::string pattern; int integerDigits, decimals; };
    const Case cases[] = {
        {"##,##0.########", 5, 8},  // entry fields
        {"##,##0.#######", 5, 7},  // grids
        {"#,##0", 4, 0},  // no decimals
        {"0.00", 1, 2},  // fixed decimals
    };
    for (const Case& c : cases) {
        const DisplayFormat format(c.pattern);
        EXPECT_EQ(format.IntegerDigits(), c.integerDigits) << c.pattern;
        EXPECT_EQ(format.Decimals(), c.decimals) << c.pattern;
    }
}

TEST(DisplayFormat, Formats) {
    struct Case { std::string pattern; double value; std::string expected; };
    const Case cases[] = {
        {kField, 0.0, "0"},  // zero
        {kField, -0.0, "0"},  // negative zero
        {kField, 0.5, "0.5"},  // below one keeps its 0
        {kField, 12345.678, "12,345.678"},  // thousands
        {kField, 1000.0, "1,000"},  // exactly a thousand
        {kField, 999.0, "999"},  // below a thousand
        {kField, -1234567.5, "-1,234,567.5"},  // millions past the placeholders
        {kField, 1.0 / 3.0, "0.33333333"},  // one third, 8 decimals
        {kGrid, 1.0 / 3.0, "0.3333333"},  // one third, 7 decimals
        {kGrid, 2.0 / 3.0, "0.6666667"},  // two thirds round up
        {kGrid, 999999.99999999, "1,000,000"},  // rounding carries into the integer
        {kGrid, -0.00000001, "0"},  // tiny negative shows no sign
        {"0.##", 0.125, "0.13"},  // half rounds away from zero
        {"0.##", -0.125, "-0.13"},  // negative half rounds away from zero
        {"#,##0.00", 1.5, "1.50"},  // zero placeholders kept
        {"000", 7.0, "007"},  // leading zero placeholders
        {"0.#", 12345.25, "12345.3"},  // no grouping
        {kGrid, 1e20, "100,000,000,000,000,000,000"},  // huge value
        {kGrid, std::numeric_limits<double>::infinity(), "INF"},  // infinite
    };
    for (const Case& c : cases) EXPECT_EQ(DisplayFormat(c.pattern).Format(c.value, '.', ","), c.expected) << c.pattern << " " << c.value;
}

TEST(DisplayFormat, CommaSeparators) {
    const DisplayFormat format;
    EXPECT_EQ(format.Format(-1234567.25, ',', "."), "-1.234.567,25");
    EXPECT_EQ(format.Format(1234.5, ',', ""), "1234,5");
    EXPECT_EQ(format.Format(1234.5, ',', "\u202F"), "1\u202F" "234,5");
}

TEST(BareText, FifteenDigitsNoExponent) {
    struct Case { double value; std::string expected; };
    const Case cases[] = {
        {0.0, "0"},  // zero
        {-0.0, "0"},  // negative zero
        {1.0 / 3.0, "0.333333333333333"},  // one third
        {-2.5, "-2.5"},  // negative
        {123456.0, "123456"},  // whole
        {1e-7, "0.0000001"},  // small, no exponent
        {1.5e20, "150000000000000000000"},  // large, no exponent
        {0.1 + 0.2, "0.3"},  // fifteen digits
        {std::numeric_limits<double>::quiet_NaN(), ""},  // not finite
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BareText(c.value, '.'), c.expected) << c.value;
        std::string comma = c.expected;
        for (char& ch : comma) if (ch == '.') ch = ',';
        EXPECT_EQ(BareText(c.value, ','), comma) << c.value;
    }
}

TEST(GeneralText, EightDigitsTwoExponentDigits) {
    struct Case { double value; std::string expected; };
    const Case cases[] = {
        {0.0, "0"},  // zero
        {12.3456789012, "12.345679"},  // eight digits
        {2.5, "2.5"},  // trailing zeros dropped
        {12345678.0, "12345678"},  // eight integer digits stay fixed
        {123456789.0, "1.2345679E08"},  // nine go scientific
        {99999999.5, "1E08"},  // rounding to nine digits
        {0.0001, "0.0001"},  // 0.0001 stays fixed
        {0.00001234, "1.234E-05"},  // below 0.0001 scientific
        {-2.5e-7, "-2.5E-07"},  // negative scientific
        {1.5e120, "1.5E120"},  // three exponent digits
    };
    for (const Case& c : cases) EXPECT_EQ(GeneralText(c.value, 8, 2, '.'), c.expected) << c.value;
}

TEST(FixedText, TwoDecimals) {
    struct Case { double value; std::string expected; };
    const Case cases[] = {
        {123456.0, "123456.00"},  // whole
        {-0.005, "-0.01"},  // rounded half away
        {-0.001, "0.00"},  // rounds to zero
        {99999.5, "99999.50"},  // one decimal padded
    };
    for (const Case& c : cases) EXPECT_EQ(FixedText(c.value, 2, '.'), c.expected) << c.value;
}

TEST(ReadInteger, DecimalFormOfTheFields) {
    struct Case { std::string text; bool valid; int value; };
    const Case cases[] = {
        {"12", true, 12},  // digits
        {"  +7", true, 7},  // leading blanks and plus
        {"-3", true, -3},  // negative
        {"2147483647", true, std::numeric_limits<int>::max()},  // largest
        {"-2147483648", true, std::numeric_limits<int>::min()},  // smallest
        {"2147483648", false, 0},  // one past the largest
        {"99999999999999999999", false, 0},  // far past the largest
        {"1.5", false, 0},  // decimal
        {"12 ", false, 0},  // trailing blank
        {"", false, 0},  // empty
        {"-", false, 0},  // lone sign
        {"$10", false, 0},  // hexadecimal
    };
    for (const Case& c : cases) {
        const std::optional<std::int32_t> read = ReadInteger(c.text, IntegerForms::Decimal);
        ASSERT_EQ(read.has_value(), c.valid) << c.text;
        if (c.valid) EXPECT_EQ(*read, c.value) << c.text;
    }
}

TEST(ReadReal, UsesTheGivenSeparator) {
    EXPECT_EQ(ReadReal("1,5", ','), std::optional<double>(1.5));
    EXPECT_EQ(ReadReal("1.5", ','), std::optional<double>());
    EXPECT_EQ(ReadReal(" -2.5E1 ", '.'), std::optional<double>(-25.0));
    EXPECT_EQ(ReadReal("1,234.5", '.'), std::optional<double>());
}
