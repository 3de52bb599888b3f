// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_split.h"

#include "program_error.h"
#include "random_generator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <vector>

namespace {

using Row = std::array<double, 33>;

// `sizes[c]` patterns of class c + 1, interleaved: class c's expected output
// c + 1 is 0.9, the others 0.1 (with one output, every pattern is class 1).
// Input 1 numbers the pattern, so each row is told apart.
WorkState Classes(const std::vector<int>& sizes, std::int32_t outputs) {
    WorkState state;
    std::vector<int> left = sizes;
    int p = 0;
    while (std::any_of(left.begin(), left.end(), [](int n) { return n > 0; }))
        for (std::size_t c = 0; c < left.size(); ++c) {
            if (left[c]-- <= 0) continue;
            ++p;
            state.EntradasPatrones[p][1] = p;
            for (int k = 1; k <= outputs; ++k) state.SalidasPatrones[p][k] = k == static_cast<int>(c) + 1 ? 0.9 : 0.1;
        }
    state.NumeroPatrones = p;
    return state;
}

std::vector<Row> Rows(const PatternTable& inputs, std::int32_t count) {
    return {inputs.begin() + 1, inputs.begin() + 1 + count};
}

std::map<std::int32_t, int> ClassCounts(const PatternTable& outputs, std::int32_t count, std::int32_t k) {
    std::map<std::int32_t, int> counts;
    for (std::int32_t p = 1; p <= count; ++p) ++counts[PatternClass(outputs, p, k)];
    return counts;
}

class TestSplit : public ::testing::Test {
protected:
    void SetUp() override { RandomGenerator::SetFixedSeed(1); }
    void TearDown() override { RandomGenerator::SetFixedSeed(std::nullopt); }
};

}  // namespace

TEST(PatternClass, IsTheFirstLargestExpectedOutput) {
    PatternTable expected{};
    expected[1] = {0, 0.2, 0.7, 0.7};
    expected[2] = {0, 0.9, -1, 0.3};
    expected[3] = {0, -2, -1, -3};
    EXPECT_EQ(PatternClass(expected, 1, 3), 2);
    EXPECT_EQ(PatternClass(expected, 2, 3), 1);
    EXPECT_EQ(PatternClass(expected, 3, 3), 2);
    EXPECT_EQ(PatternClass(expected, 1, 2), 2);
    EXPECT_EQ(PatternClass(expected, 1, 1), 1);
}

// Each class gives its share of the patterns moved; nothing is lost or
// doubled, and both tables keep their order.
TEST_F(TestSplit, KeepsEachClassShare) {
    struct Case {
        std::vector<int> sizes;
        std::int32_t outputs;
        double share;
        std::vector<int> moved;  // per class
    };
    const Case cases[] = {
        {{10, 10, 10}, 3, 0.3, {3, 3, 3}},
        {{33, 33, 34}, 3, 1.0 / 3, {11, 11, 11}},  // 33: 10.89, 10.89, 11.22, the two largest remainders get one more
        {{50, 25, 25}, 3, 0.5, {25, 13, 12}},      // 12.5 and 12.5: the first of equals
        {{20, 4}, 2, 0.25, {5, 1}},
        {{7}, 1, 0.5, {4}},                        // 3.5 rounds up
        {{10, 10}, 2, 0, {0, 0}},
        {{6, 2}, 2, 1, {6, 2}},
    };
    for (const Case& c : cases) {
        WorkState state = Classes(c.sizes, c.outputs);
        const std::vector<Row> before = Rows(state.EntradasPatrones, state.NumeroPatrones);
        const std::int32_t total = state.NumeroPatrones;
        int expected = 0;
        for (int m : c.moved) expected += m;
        EXPECT_EQ(SeparateTestPatterns(state, c.share, c.outputs), expected) << total << " share " << c.share;
        ASSERT_EQ(state.TestPatternCount, expected);
        ASSERT_EQ(state.NumeroPatrones, total - expected);
        const auto counts = ClassCounts(state.TestOutputs, state.TestPatternCount, c.outputs);
        for (std::size_t k = 0; k < c.moved.size(); ++k) {
            const auto found = counts.find(static_cast<std::int32_t>(k) + 1);
            EXPECT_EQ(found == counts.end() ? 0 : found->second, c.moved[k]) << total << " class " << k + 1;
        }
        // Rows go whole, each to one table, in order.
        std::vector<Row> after = Rows(state.EntradasPatrones, state.NumeroPatrones);
        const std::vector<Row> test = Rows(state.TestInputs, state.TestPatternCount);
        const auto ordered = [](const Row& a, const Row& b) { return a[1] < b[1]; };
        EXPECT_TRUE(std::is_sorted(after.begin(), after.end(), ordered));
        EXPECT_TRUE(std::is_sorted(test.begin(), test.end(), ordered));
        after.insert(after.end(), test.begin(), test.end());
        std::sort(after.begin(), after.end(), ordered);
        EXPECT_EQ(after, before) << total << " share " << c.share;
    }
}

// Under a fixed seed the same split comes again; another seed chooses
// others. "Devolver a entrenamiento" brings every pattern back.
TEST_F(TestSplit, RepeatsUnderAFixedSeedAndReturns) {
    const WorkState original = Classes({30, 30, 30}, 3);
    const auto split = [&](std::uint32_t seed) {
        RandomGenerator::SetFixedSeed(seed);
        WorkState state = original;
        SeparateTestPatterns(state, 0.2, 3);
        return state;
    };
    const WorkState first = split(1), again = split(1), other = split(2);
    EXPECT_EQ(Rows(first.TestInputs, first.TestPatternCount), Rows(again.TestInputs, again.TestPatternCount));
    EXPECT_NE(Rows(first.TestInputs, first.TestPatternCount), Rows(other.TestInputs, other.TestPatternCount));

    WorkState state = first;
    ReturnTestPatterns(state);
    EXPECT_EQ(state.TestPatternCount, 0);
    ASSERT_EQ(state.NumeroPatrones, 90);
    std::vector<Row> back = Rows(state.EntradasPatrones, 90);
    EXPECT_EQ(std::vector<Row>(back.begin() + 72, back.end()), Rows(first.TestInputs, 18)) << "appended in order";
    std::sort(back.begin(), back.end(), [](const Row& a, const Row& b) { return a[1] < b[1]; });
    EXPECT_EQ(back, Rows(original.EntradasPatrones, 90));
}

// A move past 100 patterns is refused before anything changes.
TEST_F(TestSplit, RefusesToPassAHundredPatterns) {
    WorkState state = Classes({60}, 1);
    state.TestPatternCount = 80;
    const WorkState before = state;
    try {
        SeparateTestPatterns(state, 0.5, 1);
        ADD_FAILURE() << "30 more test patterns taken";
    } catch (const ProgramError& e) {
        EXPECT_STREQ(e.what(), "Máximo número de patrones 100");
    }
    EXPECT_THROW(ReturnTestPatterns(state), ProgramError);
    EXPECT_EQ(state.NumeroPatrones, before.NumeroPatrones);
    EXPECT_EQ(state.TestPatternCount, before.TestPatternCount);
    EXPECT_EQ(state.EntradasPatrones, before.EntradasPatrones);
    EXPECT_EQ(SeparateTestPatterns(state, 0.3, 1), 18);  // 80 + 18 fits
    EXPECT_THROW(SeparateTestPatterns(state, 1.5, 1), std::out_of_range);
}
