// SPDX-License-Identifier: GPL-3.0-or-later
// The exponential against MPFR at 256 bits on the arguments closest to a
// rounding boundary, and the committed table against a fresh one.

#include <gtest/gtest.h>

#include <mpfr.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "exp.h"
#include "hard_arguments.h"
#include "power_table_generator.h"
#include "reduction_constants.h"

namespace {

// e^x to 256 bits, and its distance to the nearest midpoint between two
// adjacent doubles in units of their spacing.
struct Reference {
    double rounded;
    double fromMidpoint;
};

Reference Compute(double x) {
    mpfr_t v, half;
    mpfr_inits2(256, v, half, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_d(v, x, MPFR_RNDN);
    mpfr_exp(v, v, MPFR_RNDN);
    const double below = mpfr_get_d(v, MPFR_RNDD);
    const double above = std::nextafter(below, 1e308);
    mpfr_set_d(half, below, MPFR_RNDN);
    mpfr_add_d(half, half, above, MPFR_RNDN);  // exact at 256 bits
    mpfr_div_2ui(half, half, 1, MPFR_RNDN);
    mpfr_sub(half, v, half, MPFR_RNDN);
    const Reference r{mpfr_get_d(v, MPFR_RNDN), std::fabs(mpfr_get_d(half, MPFR_RNDN)) / (above - below)};
    mpfr_clears(v, half, static_cast<mpfr_ptr>(nullptr));
    return r;
}

TEST(ExpMpfr, EveryLevelRoundsTheHardestArgumentsCorrectly) {
    // Besides the shared ones: results among the subnormals, near the
    // largest double, and within a hair of 1.
    std::vector<double> arguments(HardArguments.begin(), HardArguments.end());
    arguments.insert(arguments.end(), {-0x1.6baa1efe8d19bp+9, -0x1.6fce15d09c933p+9, 0x1.6252c881ca734p+9,
                                         0x1.ca0629666424cp-28, 0x1.7680000bfb70ep-44});
    for (const double x : arguments) {
        const Reference r = Compute(x);
        // Within 2^-19 of a spacing of the midpoint: about 2^-72 of the value
        // for a normal result, far closer than the quick value or the
        // double-double can settle.
        EXPECT_LT(r.fromMidpoint, 0x1p-19) << std::hexfloat << x;
        EXPECT_EQ(Exp(x), r.rounded) << std::hexfloat << x;
        EXPECT_EQ(PreciseExp(x), r.rounded) << std::hexfloat << x;
        EXPECT_EQ(ExactExp(x), r.rounded) << std::hexfloat << x;
        // Within 2^-71 of a midpoint the double-double, good to 2^-81.47, cannot
        // tell the side, and kMargin must make it defer to MPFR.
        if (x > -708.0 && x < 709.0) {
            EXPECT_FALSE(DoubleDoubleExp(x).has_value()) << std::hexfloat << x;
        }
    }
}

// c rounded to the given bits, as a double: to the nearest, or cut short.
double Rounded(const mpfr_t c, int bits, mpfr_rnd_t mode = MPFR_RNDN) {
    mpfr_t r;
    mpfr_init2(r, bits);
    mpfr_set(r, c, mode);
    const double d = mpfr_get_d(r, MPFR_RNDN);  // exact: bits <= 53
    mpfr_clear(r);
    return d;
}

// log2 |a - b|, at 256 bits.
double Log2Distance(const mpfr_t a, const mpfr_t b) {
    mpfr_t d;
    mpfr_init2(d, 256);
    mpfr_sub(d, a, b, MPFR_RNDN);
    mpfr_abs(d, d, MPFR_RNDN);
    mpfr_log2(d, d, MPFR_RNDN);
    const double l = mpfr_get_d(d, MPFR_RNDN);
    mpfr_clear(d);
    return l;
}

TEST(ExpMpfr, ReductionConstantsAreTheRoundedParts) {
    using namespace QuickLevel;
    mpfr_t step, rest, parts;
    mpfr_inits2(256, step, rest, parts, static_cast<mpfr_ptr>(nullptr));
    mpfr_const_log2(step, MPFR_RNDN);
    mpfr_ui_div(rest, 1024, step, MPFR_RNDN);
    EXPECT_EQ(kStepsPerUnit, Rounded(rest, 53));
    mpfr_div_ui(step, step, 1024, MPFR_RNDN);  // (ln 2)/1024 to 2^-255
    EXPECT_EQ(kStep1, Rounded(step, 33, MPFR_RNDZ));
    mpfr_sub_d(rest, step, kStep1, MPFR_RNDN);
    EXPECT_EQ(kStep2, Rounded(rest, 53));
    EXPECT_EQ(kStep2Short, Rounded(rest, 33, MPFR_RNDZ));
    mpfr_sub_d(rest, rest, kStep2Short, MPFR_RNDN);
    EXPECT_EQ(kStep3, Rounded(rest, 53));
    // The bounds the error analysis starts from.
    mpfr_set_d(parts, kStep1, MPFR_RNDN);
    mpfr_add_d(parts, parts, kStep2, MPFR_RNDN);
    EXPECT_LE(Log2Distance(step, parts), -99.29);
    mpfr_set_d(parts, kStep1, MPFR_RNDN);
    mpfr_add_d(parts, parts, kStep2Short, MPFR_RNDN);
    mpfr_add_d(parts, parts, kStep3, MPFR_RNDN);
    EXPECT_LE(Log2Distance(step, parts), -132.4);
    mpfr_clears(step, rest, parts, static_cast<mpfr_ptr>(nullptr));
}

TEST(ExpMpfr, CommittedTableIsTheGeneratedOne) {
    std::ifstream file(PERCEPTLAB_POWER_TABLE_H, std::ios::binary);
    ASSERT_TRUE(file.is_open());
    const std::string saved{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    EXPECT_EQ(saved, PowerTableText());
}

}  // namespace
