// SPDX-License-Identifier: GPL-3.0-or-later
// The last level: MPFR's e^x, correctly rounded by construction. Slow (a few
// microseconds); the double-double defers to it for about one argument in
// 131 000 of those it is given.

#include <mpfr.h>

#include <cmath>

#include "exp.h"

namespace {

// MPFR's exponent range, narrowed to the doubles' while it lives: its
// exponent e means a value in [2^(e-1), 2^e), so the largest double has
// e = 1024 and the smallest subnormal 2^-1074 has e = -1073.
class DoubleRange {
public:
    DoubleRange() : emin_(mpfr_get_emin()), emax_(mpfr_get_emax()) {
        mpfr_set_emin(-1073);
        mpfr_set_emax(1024);
    }
    ~DoubleRange() {
        mpfr_set_emin(emin_);
        mpfr_set_emax(emax_);
    }
    DoubleRange(const DoubleRange&) = delete;
    DoubleRange& operator=(const DoubleRange&) = delete;

private:
    mpfr_exp_t emin_, emax_;
};

}  // namespace

double ExactExp(double x) {
    if (std::isnan(x)) return x + x;
    const DoubleRange narrowed;
    mpfr_t v;
    mpfr_init2(v, 53);
    mpfr_set_d(v, x, MPFR_RNDN);  // exact: 53 bits
    // Rounded once to 53 bits, then once more to the fewer bits of a
    // subnormal result: mpfr_subnormalize uses the first rounding's
    // direction, so the pair rounds as a single rounding would.
    const int ternary = mpfr_exp(v, v, MPFR_RNDN);  // the sign of the first rounding's error
    mpfr_subnormalize(v, ternary, MPFR_RNDN);
    const double y = mpfr_get_d(v, MPFR_RNDN);  // exact: v is a double now
    mpfr_clear(v);
    return y;
}
