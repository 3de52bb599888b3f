// SPDX-License-Identifier: GPL-3.0-or-later
// The exponential against quadruple precision: e^x in 113 bits, rounded to
// double, is the correctly rounded value unless it lies within 2^-100 of a
// rounding boundary, which no argument drawn here does.

#include <gtest/gtest.h>

#include <quadmath.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "exp.h"
#include "hard_arguments.h"
#include "power_table.h"

namespace {

// The correctly rounded e^x, or NaN when the quadruple value cannot settle it.
double Reference(double x) {
    const __float128 q = expq(static_cast<__float128>(x));
    const double d = static_cast<double>(q);
    if (std::isinf(d) || d == 0) return d;
    for (const double neighbour : {std::nextafter(d, 0.0), std::nextafter(d, std::numeric_limits<double>::infinity())}) {
        if (std::isinf(neighbour)) continue;
        const __float128 boundary = (static_cast<__float128>(d) + neighbour) / 2;
        if (fabsq(q - boundary) < q * static_cast<__float128>(0x1p-100)) return std::numeric_limits<double>::quiet_NaN();
    }
    return d;
}

// Checks both the quick path (Exp) and the multi-word one on every argument.
void CheckAgainstReference(const std::vector<double>& arguments, bool alsoExact) {
    int unsettled = 0, failures = 0;
    for (const double x : arguments) {
        const double expected = Reference(x);
        if (std::isnan(expected)) {
            ++unsettled;
            continue;
        }
        if (Exp(x) != expected && ++failures <= 5) ADD_FAILURE() << std::hexfloat << "Exp(" << x << ")";
        if (alsoExact && ExactExp(x) != expected && ++failures <= 5)
            ADD_FAILURE() << std::hexfloat << "ExactExp(" << x << ")";
    }
    EXPECT_EQ(failures, 0);
    EXPECT_LT(unsettled, 3);
}

std::vector<double> Uniform(double from, double to, int count, unsigned seed) {
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> distribution(from, to);
    std::vector<double> v;
    for (int i = 0; i < count; ++i) v.push_back(distribution(random));
    return v;
}

TEST(Exp, RoundsCorrectlyWhereTheNetworkLives) {
    // Weighted sums of a trained network mostly lie here; the C library's exp
    // misrounds about 150 of these arguments.
    CheckAgainstReference(Uniform(-40, 40, 200000, 1), false);
}

TEST(Exp, RoundsCorrectlyOverTheWholeRange) {
    // Overflow, subnormal results and underflow to zero included.
    CheckAgainstReference(Uniform(-746, 710, 20000, 2), true);
    CheckAgainstReference(Uniform(-746, -707, 5000, 3), true);
    CheckAgainstReference(Uniform(708, 710, 2000, 4), true);
}

TEST(Exp, ArgumentsCloseToARoundingBoundary) {
    for (const double x : HardArguments) {
        const double expected = Reference(x);
        ASSERT_FALSE(std::isnan(expected)) << std::hexfloat << x;
        EXPECT_EQ(Exp(x), expected) << std::hexfloat << x;
        EXPECT_EQ(ExactExp(x), expected) << std::hexfloat << x;
    }
}

TEST(Exp, SmallArgumentsAndExactBoundaries) {
    std::vector<double> x;
    std::mt19937_64 random(5);
    for (int i = 0; i < 3000; ++i) x.push_back(std::ldexp(std::uniform_real_distribution<double>(-1, 1)(random), -(i % 60)));
    CheckAgainstReference(x, true);

    // Within half a unit of 1: the value just above 1 + 2^-53 rounds up, the others to 1.
    EXPECT_EQ(Exp(0x1p-53), 1 + 0x1p-52);
    EXPECT_EQ(Exp(0x1p-53 - 0x1p-106), 1.0);
    EXPECT_EQ(Exp(-0x1p-54), 1.0);
    EXPECT_EQ(Exp(0.0), 1.0);
    EXPECT_EQ(Exp(-0.0), 1.0);
    // The largest argument with a finite result, the smallest with a non-zero one.
    EXPECT_EQ(Exp(0x1.62e42fefa39efp+9), 0x1.fffffffffff2ap+1023);
    EXPECT_TRUE(std::isinf(Exp(std::nextafter(0x1.62e42fefa39efp+9, 1000.0))));
    EXPECT_EQ(Exp(-0x1.74910d52d3051p+9), std::numeric_limits<double>::denorm_min());
    EXPECT_EQ(Exp(std::nextafter(-0x1.74910d52d3051p+9, -1000.0)), 0.0);
    EXPECT_TRUE(std::isinf(Exp(std::numeric_limits<double>::infinity())));
    EXPECT_EQ(Exp(-std::numeric_limits<double>::infinity()), 0.0);
    EXPECT_TRUE(std::isnan(Exp(std::numeric_limits<double>::quiet_NaN())));
}

TEST(Exp, TableHoldsThePowersOfTwo) {
    for (int j = 0; j < 1024; ++j) {
        const __float128 power = exp2q(static_cast<__float128>(j) / 1024);
        const PowerOfTwo& t = kPowerTable[j];
        EXPECT_EQ(t.high, static_cast<double>(power)) << j;
        const __float128 error = static_cast<__float128>(t.high) * (1 + static_cast<__float128>(t.relative)) - power;
        EXPECT_LT(fabsq(error), static_cast<__float128>(0x1p-106)) << j;
    }
}

}  // namespace
