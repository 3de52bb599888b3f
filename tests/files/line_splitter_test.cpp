// SPDX-License-Identifier: GPL-3.0-or-later
#include "line_splitter.h"

#include "integer_text.h"
#include "real_reading.h"
#include "real_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct DivisionCase {
    const char* name;
    std::string text;
    std::vector<std::string> lines;
};

// Every line of `text`, given to the divider `chunk` bytes at a time; a
// line too long shows as the count of characters kept.
std::vector<std::string> Split(const std::string& text, std::size_t chunk) {
    std::size_t given = 0;
    LineSplitter divisor([&](char* target, std::size_t capacity) {
        const std::size_t n = std::min({chunk, capacity, text.size() - given});
        std::memcpy(target, text.data() + given, n);
        given += n;
        return n;
    });
    std::vector<std::string> lines;
    std::string line;
    for (LineEnd r; (r = divisor.Next(line)) != LineEnd::EndOfText; line.clear()) {
        lines.push_back(r == LineEnd::TooLong ? "long: " + IntegerText(static_cast<std::int32_t>(line.size())) : line);
    }
    return lines;
}

TEST(LineSplitter, SplitsAtEveryKindOfBreak) {
    using namespace std::string_literals;
    const DivisionCase cases[] = {
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
    // One byte at a time, a CR LF falls across two reads.
    for (std::size_t chunk : {std::size_t{1}, std::size_t{65536}}) {
        for (const DivisionCase& testCase : cases) EXPECT_EQ(Split(testCase.text, chunk), testCase.lines) << testCase.name << " " << chunk;
    }
}

TEST(LineSplitter, LineLongerThanAnyNumberEndsTheText) {
    const std::string longest(kMaxLineLength, '7');
    EXPECT_EQ(Split(longest + "\r\n1\r\n", 1000), (std::vector<std::string>{longest, "1"}));
    EXPECT_EQ(Split(longest + "7\r\n1\r\n", 1000), std::vector<std::string>{"long: 4096"});
}

TEST(JoinLines, EndsEveryLineWithCrLf) {
    EXPECT_EQ(JoinLines({"2", "0,5"}), "2\r\n0,5\r\n");
    EXPECT_EQ(JoinLines({""}), "\r\n");
    EXPECT_EQ(JoinLines({}), "");
}

}  // namespace
