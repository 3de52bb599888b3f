// SPDX-License-Identifier: GPL-3.0-or-later
// The progress line: the share done, the rate and the time left.

#include "progress_bar.h"

#include <gtest/gtest.h>

namespace {

struct LineCase {
    std::int64_t done;
    std::int64_t total;
    double seconds;
    const char* line;
};

class ProgressLineTest : public testing::TestWithParam<LineCase> {};

const LineCase kLines[] = {
    {0, 10000000, 0.0, "[....................]   0%  0/10000000  0 it/s"},
    {3500000, 10000000, 0.25, "[#######.............]  35%  3500000/10000000  14 M it/s  0 s left"},
    {1000000, 4000000, 2.0, "[#####...............]  25%  1000000/4000000  500 k it/s  6 s left"},
    {10000, 10000, 4.0, "[####################] 100%  10000/10000  2.5 k it/s  0 s left"},
    {90, 100, 10.0, "[##################..]  90%  90/100  9 it/s  1 s left"},
    {1230000, 0, 1.0, "1230000 iterations  1.2 M it/s"},
};

TEST_P(ProgressLineTest, ShowsShareRateAndTimeLeft) {
    const LineCase& c = GetParam();
    EXPECT_EQ(ProgressLine(c.done, c.total, c.seconds), c.line);
}

INSTANTIATE_TEST_SUITE_P(Lines, ProgressLineTest, testing::ValuesIn(kLines));

}  // namespace
