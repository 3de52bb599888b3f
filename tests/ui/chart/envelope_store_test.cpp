// SPDX-License-Identifier: GPL-3.0-or-later
#include "envelope_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <ostream>
#include <random>
#include <span>
#include <vector>

namespace {

using Point = EnvelopeStore::Point;

// A noisy falling curve with spikes, like a training error.
std::vector<double> ErrorLikeSeries(std::size_t n, unsigned seed) {
    std::mt19937 generator(seed);
    std::uniform_real_distribution<double> noise(-5.0, 5.0);
    std::vector<double> ys(n);
    for (std::size_t i = 0; i < n; ++i) {
        ys[i] = 100.0 / (1.0 + static_cast<double>(i) / 1000.0) + noise(generator);
        if (generator() % 997 == 0) ys[i] += 400.0;
    }
    return ys;
}

void Fill(EnvelopeStore& store, const std::vector<double>& ys) {
    for (double y : ys) store.Append(y);
}

std::vector<Point> EnvelopeOf(const EnvelopeStore& store, double lo, double hi, int columns) {
    std::vector<Point> out;
    store.Envelope(lo, hi, columns, out);
    return out;
}

// Every point drawn is a real point, in strictly ascending x.
void ExpectRealPointsInOrder(const std::vector<Point>& drawn, const std::vector<double>& ys) {
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        ASSERT_GE(drawn[i].x, 0);
        ASSERT_LT(drawn[i].x, static_cast<std::int64_t>(ys.size()));
        EXPECT_EQ(drawn[i].y, ys[static_cast<std::size_t>(drawn[i].x)]) << "x " << drawn[i].x;
        if (i > 0) {
            EXPECT_LT(drawn[i - 1].x, drawn[i].x);
        }
    }
}

TEST(EnvelopeStore, CountsEveryPointWhileMemoryStaysBounded) {
    EnvelopeStore store(64);
    for (int i = 0; i < 1'000'003; ++i) store.Append(static_cast<double>(i % 7));
    EXPECT_EQ(store.Count(), 1'000'003);
    EXPECT_LE(store.BucketsInUse(), 64u);
    // The buckets in use cover every point, and the width is no wider than needed.
    EXPECT_GE(static_cast<std::int64_t>(store.BucketsInUse()) * store.BucketWidth(), store.Count());
    EXPECT_LT(32 * store.BucketWidth(), store.Count());
}

TEST(EnvelopeStore, KeepsEveryPointUntilItFills) {
    const std::vector<double> ys = ErrorLikeSeries(64, 1);
    EnvelopeStore store(64);
    Fill(store, ys);
    EXPECT_EQ(store.BucketWidth(), 1);
    const std::vector<Point> drawn = EnvelopeOf(store, 0, 63, 1000);
    ASSERT_EQ(drawn.size(), ys.size());
    ExpectRealPointsInOrder(drawn, ys);
}

struct WholeViewCase {
    std::size_t capacity;
    std::size_t points;
    int columns;
};

void PrintTo(const WholeViewCase& c, std::ostream* os) {
    *os << c.points << " points, capacity " << c.capacity << ", " << c.columns << " columns";
}

class EnvelopeStoreWholeView : public testing::TestWithParam<WholeViewCase> {};

// Across any number of halvings the whole view still starts and ends on the
// real first and last points and reaches the real extremes.
TEST_P(EnvelopeStoreWholeView, ShowsFirstLastAndExtremes) {
    const WholeViewCase c = GetParam();
    const std::vector<double> ys = ErrorLikeSeries(c.points, 7);
    EnvelopeStore store(c.capacity);
    Fill(store, ys);

    const std::vector<Point> drawn = EnvelopeOf(store, 0, static_cast<double>(c.points - 1), c.columns);
    ExpectRealPointsInOrder(drawn, ys);
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.front().x, 0);
    EXPECT_EQ(drawn.back().x, static_cast<std::int64_t>(c.points - 1));
    const auto [minIt, maxIt] = std::minmax_element(ys.begin(), ys.end());
    const auto byY = [](const Point& a, const Point& b) { return a.y < b.y; };
    EXPECT_EQ(std::min_element(drawn.begin(), drawn.end(), byY)->y, *minIt);
    EXPECT_EQ(std::max_element(drawn.begin(), drawn.end(), byY)->y, *maxIt);
    EXPECT_EQ(store.MinY(), *minIt);
    EXPECT_EQ(store.MaxY(), *maxIt);
    // A few points per column, whatever the number of points held.
    EXPECT_LE(drawn.size(), 4u * static_cast<std::size_t>(c.columns + 3));
}

INSTANTIATE_TEST_SUITE_P(Cases, EnvelopeStoreWholeView,
                         testing::Values(WholeViewCase{64, 65, 10},        // just past the first halving
                                         WholeViewCase{64, 100'000, 7},    // many halvings, few columns
                                         WholeViewCase{64, 100'000, 200},  // more columns than buckets
                                         WholeViewCase{1024, 333'333, 329},
                                         WholeViewCase{2, 1'000, 1}));

// A single spike, wherever it falls, survives every halving, whatever the
// capacity asked for (an odd one could leave a bucket out of the pairs).
TEST(EnvelopeStore, ASpikeAnywhereSurvivesEveryHalving) {
    for (std::size_t capacity : {2u, 4u, 5u, 7u, 16u}) {
        for (std::int64_t spike = 0; spike < 100; ++spike) {
            EnvelopeStore store(capacity);
            for (std::int64_t x = 0; x < 100; ++x) store.Append(x == spike ? 1.0 : 0.0);
            const std::vector<Point> drawn = EnvelopeOf(store, 0, 99, 1000);
            const bool found = std::any_of(drawn.begin(), drawn.end(),
                                           [&](const Point& p) { return p.x == spike && p.y == 1.0; });
            EXPECT_TRUE(found) << "capacity " << capacity << ", spike at " << spike;
            EXPECT_LE(store.BucketsInUse(), capacity);
        }
    }
}

// Zoomed into a bucket-aligned window with a column per bucket, the line
// reaches exactly the highest and lowest real points of that window.
TEST(EnvelopeStore, ZoomedViewReachesTheWindowsExtremes) {
    const std::vector<double> ys = ErrorLikeSeries(200'000, 3);
    EnvelopeStore store(256);
    Fill(store, ys);
    const std::int64_t width = store.BucketWidth();
    ASSERT_GT(width, 1);
    for (std::int64_t firstBucket : {0, 5, 100, 190}) {
        const std::int64_t lo = firstBucket * width;
        const std::int64_t hi = std::min<std::int64_t>(lo + 40 * width, store.Count()) - 1;
        const std::vector<Point> drawn =
            EnvelopeOf(store, static_cast<double>(lo), static_cast<double>(hi), 1000);
        ExpectRealPointsInOrder(drawn, ys);
        double drawnMin = std::numeric_limits<double>::infinity();
        double drawnMax = -drawnMin;
        for (const Point& p : drawn) {
            if (p.x < lo || p.x > hi) continue;
            drawnMin = std::min(drawnMin, p.y);
            drawnMax = std::max(drawnMax, p.y);
        }
        const auto window = std::minmax_element(ys.begin() + lo, ys.begin() + hi + 1);
        EXPECT_EQ(drawnMin, *window.first) << "window from " << lo;
        EXPECT_EQ(drawnMax, *window.second) << "window from " << lo;
        // The line runs on past both edges when there are points there.
        if (lo > 0) {
            EXPECT_LT(drawn.front().x, lo);
        }
        if (hi + 1 < store.Count()) {
            EXPECT_GT(drawn.back().x, hi);
        }
    }
}

TEST(EnvelopeStore, RangesOutsideTheDataAreClamped) {
    const std::vector<double> ys = ErrorLikeSeries(5'000, 4);
    EnvelopeStore store(128);
    Fill(store, ys);
    const std::vector<Point> whole = EnvelopeOf(store, 0, 4'999, 50);
    const std::vector<Point> wide = EnvelopeOf(store, -1e300, 1e300, 50);
    ExpectRealPointsInOrder(wide, ys);
    EXPECT_EQ(wide.front().x, 0);
    EXPECT_EQ(wide.back().x, 4'999);
    EXPECT_FALSE(whole.empty());
    EXPECT_TRUE(EnvelopeOf(store, 10, 5, 50).empty());
    EXPECT_TRUE(EnvelopeOf(store, std::nan(""), 5, 50).empty());
}

TEST(EnvelopeStore, NonFiniteValuesAreCountedButNotDrawn) {
    const double inf = std::numeric_limits<double>::infinity();
    EnvelopeStore store(4);
    for (double y : {std::nan(""), 1.0, inf, -inf, 2.0, std::nan(""), std::nan(""), std::nan(""), std::nan("")}) {
        store.Append(y);
    }
    EXPECT_EQ(store.Count(), 9);
    EXPECT_EQ(store.MinY(), 1.0);
    EXPECT_EQ(store.MaxY(), 2.0);
    const std::vector<Point> drawn = EnvelopeOf(store, 0, 8, 100);
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0].x, 1);
    EXPECT_EQ(drawn[1].x, 4);

    EnvelopeStore onlyNaN(4);
    for (int i = 0; i < 10; ++i) onlyNaN.Append(std::nan(""));
    EXPECT_EQ(onlyNaN.Count(), 10);
    EXPECT_FALSE(onlyNaN.HasValues());
    EXPECT_TRUE(EnvelopeOf(onlyNaN, 0, 9, 100).empty());
}

// With one column per bucket the line holds each bucket's first, lowest,
// highest and last finite point; among equal values (a zero of either sign
// included) the earliest stands for the extreme. Few distinct values make
// ties in every bucket; the rare non-finite value sends its bucket's stretch
// down the one-by-one path.
TEST(EnvelopeStore, EachBucketKeepsItsEarliestExtremes) {
    std::mt19937 generator(11);
    const double inf = std::numeric_limits<double>::infinity();
    const double values[] = {2.0, 1.0, 0.0, -0.0, 1.0, 2.0, -1.0};
    std::vector<double> ys(5'000);
    for (double& y : ys) {
        const unsigned draw = generator() % 1000;
        y = draw == 0 ? std::nan("") : draw == 1 ? inf : values[draw % std::size(values)];
    }
    EnvelopeStore store(64);
    Fill(store, ys);
    const std::int64_t width = store.BucketWidth();
    const auto buckets = static_cast<std::int64_t>(store.BucketsInUse());
    const std::vector<Point> drawn = EnvelopeOf(store, 0, static_cast<double>(ys.size() - 1), static_cast<int>(buckets));

    std::vector<std::int64_t> expected;
    for (std::int64_t start = 0; start < static_cast<std::int64_t>(ys.size()); start += width) {
        const std::int64_t end = std::min<std::int64_t>(start + width, static_cast<std::int64_t>(ys.size()));
        std::int64_t kept[4] = {-1, -1, -1, -1};  // first, lowest, highest, last
        for (std::int64_t x = start; x < end; ++x) {
            const double y = ys[static_cast<std::size_t>(x)];
            if (!std::isfinite(y)) continue;
            if (kept[0] < 0) kept[0] = kept[1] = kept[2] = x;
            if (y < ys[static_cast<std::size_t>(kept[1])]) kept[1] = x;
            if (y > ys[static_cast<std::size_t>(kept[2])]) kept[2] = x;
            kept[3] = x;
        }
        std::sort(std::begin(kept), std::end(kept));
        for (std::int64_t x : kept) {
            if (x >= 0 && (expected.empty() || expected.back() != x)) expected.push_back(x);
        }
    }
    std::vector<std::int64_t> drawnXs;
    for (const Point& p : drawn) drawnXs.push_back(p.x);
    EXPECT_EQ(drawnXs, expected);
    ExpectRealPointsInOrder(drawn, ys);
    for (const Point& p : drawn) {
        EXPECT_EQ(std::signbit(p.y), std::signbit(ys[static_cast<std::size_t>(p.x)])) << "x " << p.x;
    }
}

// Asked about its contents every few points, the store folds short stretches
// that start and end anywhere in a bucket; given the points in batches of
// any size, with single points between, it folds them straight from the
// batch. What it keeps is the same, down to which of two equal extremes and
// the sign of a zero.
TEST(EnvelopeStore, FoldingInShortStretchesOrBatchesKeepsTheSamePoints) {
    std::mt19937 generator(12);
    const double values[] = {2.0, 1.0, 0.0, -0.0, 1.0, 2.0, -1.0, std::nan("")};
    std::vector<double> ys;
    for (int i = 0; i < 5'000; ++i) ys.push_back(generator() % 500 == 0 ? values[7] : values[generator() % 7]);
    EnvelopeStore whole(64);
    EnvelopeStore asked(64);
    EnvelopeStore batched(64);
    for (std::size_t i = 0; i < ys.size(); ++i) {
        whole.Append(ys[i]);
        asked.Append(ys[i]);
        if (i % 7 == 0) asked.BucketWidth();
    }
    for (std::size_t i = 0; i < ys.size();) {
        const std::size_t n = std::min<std::size_t>(generator() % 300, ys.size() - i);
        batched.Append(std::span(ys).subspan(i, n));
        i += n;
        if (i < ys.size()) batched.Append(ys[i++]);
    }
    const auto buckets = static_cast<int>(whole.BucketsInUse());
    const std::vector<Point> expected = EnvelopeOf(whole, 0, 4'999, buckets);
    for (const EnvelopeStore* store : {&asked, &batched}) {
        const std::vector<Point> drawn = EnvelopeOf(*store, 0, 4'999, buckets);
        ASSERT_EQ(drawn.size(), expected.size());
        for (std::size_t i = 0; i < drawn.size(); ++i) {
            EXPECT_EQ(drawn[i].x, expected[i].x);
            EXPECT_EQ(std::signbit(drawn[i].y), std::signbit(expected[i].y)) << "x " << drawn[i].x;
        }
    }
}

TEST(EnvelopeStore, ClearStartsAgainFromTheFirstPoint) {
    EnvelopeStore store(8);
    Fill(store, ErrorLikeSeries(1'000, 5));
    store.Clear();
    EXPECT_EQ(store.Count(), 0);
    EXPECT_EQ(store.BucketWidth(), 1);
    EXPECT_FALSE(store.HasValues());
    EXPECT_TRUE(EnvelopeOf(store, 0, 10, 10).empty());

    store.Append(-3.5);
    store.Append(7.0);
    const std::vector<Point> drawn = EnvelopeOf(store, 0, 1, 10);
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0].x, 0);
    EXPECT_EQ(drawn[0].y, -3.5);
    EXPECT_EQ(drawn[1].y, 7.0);
    EXPECT_EQ(store.MinY(), -3.5);
    EXPECT_EQ(store.MaxY(), 7.0);
}

}  // namespace
