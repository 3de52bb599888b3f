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

namespace {

// e^x to 256 bits, and its distance to the nearest midpoint between two
// adjacent doubles in units of their spacing.
struct Reference {
    double rounded;
    double aLaMitad;
};

Reference Compute(double x) {
    mpfr_t v, half;
    mpfr_inits2(256, v, half, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_d(v, x, MPFR_RNDN);
    mpfr_exp(v, v, MPFR_RNDN);
    const double abajo = mpfr_get_d(v, MPFR_RNDD);
    const double arriba = std::nextafter(abajo, 1e308);
    mpfr_set_d(half, abajo, MPFR_RNDN);
    mpfr_add_d(half, half, arriba, MPFR_RNDN);  // exact at 256 bits
    mpfr_div_2ui(half, half, 1, MPFR_RNDN);
    mpfr_sub(half, v, half, MPFR_RNDN);
    const Reference r{mpfr_get_d(v, MPFR_RNDN), std::fabs(mpfr_get_d(half, MPFR_RNDN)) / (arriba - abajo)};
    mpfr_clears(v, half, static_cast<mpfr_ptr>(nullptr));
    return r;
}

TEST(ExpMpfr, EveryLevelRoundsTheHardestArgumentsCorrectly) {
    // Besides the shared ones: results among the subnormals, near the
    // largest double, and within a hair of 1.
    std::vector<double> argumentos(HardArguments.begin(), HardArguments.end());
    argumentos.insert(argumentos.end(), {-0x1.6baa1efe8d19bp+9, -0x1.6fce15d09c933p+9, 0x1.6252c881ca734p+9,
                                         0x1.ca0629666424cp-28, 0x1.7680000bfb70ep-44});
    for (const double x : argumentos) {
        const Reference r = Compute(x);
        // Within 2^-19 of a spacing of the midpoint: about 2^-72 of the value
        // for a normal result, far closer than the quick value or the
        // double-double can settle.
        EXPECT_LT(r.aLaMitad, 0x1p-19) << std::hexfloat << x;
        EXPECT_EQ(Exp(x), r.rounded) << std::hexfloat << x;
        EXPECT_EQ(PreciseExp(x), r.rounded) << std::hexfloat << x;
        EXPECT_EQ(ExactExp(x), r.rounded) << std::hexfloat << x;
    }
}

TEST(ExpMpfr, CommittedTableIsTheGeneratedOne) {
    std::ifstream file(PERCEPTLAB_POWER_TABLE_H, std::ios::binary);
    ASSERT_TRUE(file.is_open());
    const std::string saved{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    EXPECT_EQ(saved, PowerTableText());
}

}  // namespace
