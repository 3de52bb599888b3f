// SPDX-License-Identifier: GPL-3.0-or-later
#include "iteration_error.h"

#include "program_error.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <vector>

namespace {

using Values = std::array<double, 33>;

double Error(const std::vector<double>& d, const std::vector<double>& o) {
    Values expected{}, obtained{};
    for (std::size_t k = 0; k < d.size(); ++k) {
        expected[k + 1] = d[k];
        obtained[k + 1] = o[k];
    }
    return IterationError(expected, obtained, static_cast<std::int32_t>(d.size()));
}

TEST(IterationError, PercentOfTheExpectedValueOrBareDeviationForZero) {
    EXPECT_DOUBLE_EQ(Error({0.0}, {0.25}), 25.0);
    EXPECT_DOUBLE_EQ(Error({0.5}, {0.25}), 50.0);
    EXPECT_DOUBLE_EQ(Error({1.0, 1.0}, {0.9, 1.3}), 20.0);
    EXPECT_EQ(Error({0.5, 0.0}, {0.5, 0.0}), 0.0);
    EXPECT_EQ(Error({0.0, 1.0}, {0.25, 1.0}), 12.5);  // a zero target's term is averaged too
}

TEST(IterationError, NegativeTargetsGiveAPositiveError) {
    EXPECT_DOUBLE_EQ(Error({-0.5}, {-0.4}), 20.0);
    // With the target's sign the two terms would cancel to 0.
    EXPECT_DOUBLE_EQ(Error({0.5, -0.5}, {0.4, -0.4}), 20.0);
}

// Each term is (|d - o| · (100 / d)) / n and the terms are added in output
// order; these values give a different last bit under any other order.
TEST(IterationError, TermsAreFormedAndSummedInTheirOrder) {
    EXPECT_EQ(Error({0.76}, {0.0}), 99.99999999999999);  // |d-o|·100/d gives 100
    EXPECT_EQ(Error({0.7, 0.35, 0.84}, {0.93, 0.5, 0.95}), 29.603174603174605);
    EXPECT_EQ(Error({0.84, 0.35, 0.7}, {0.95, 0.5, 0.93}), 29.603174603174608);
}

TEST(IterationError, AnErrorBeyondTheDoubleRangeIsAnOverflow) {
    const double tiny = std::numeric_limits<double>::denorm_min();
    EXPECT_THROW(
        {
            try {
                Error({tiny}, {0.5});
            } catch (const ProgramError& e) {
                EXPECT_STREQ(e.what(), "Floating point overflow");
                throw;
            }
        },
        ProgramError);
    EXPECT_THROW(Error({1e308, 1e308}, {-1e308, -1e308}), ProgramError);
}

}  // namespace
