// SPDX-License-Identifier: GPL-3.0-or-later
#include "exp.h"

#include <bit>
#include <cstdint>

#include "power_table.h"
#include "quick_exp.h"

namespace {

// The exact sum or product of two doubles as high + low.
struct DoubleDouble {
    double high, low;
};

DoubleDouble ExactSum(double a, double b) {
    const double s = a + b;
    const double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

// For |a| >= |b|.
DoubleDouble OrderedExactSum(double a, double b) {
    const double s = a + b;
    return {s, b - (s - a)};
}

DoubleDouble SplitDouble(double a) {
    const double c = 134217729.0 * a;  // 2^27 + 1
    const double high = c - (c - a);
    return {high, a - high};
}

DoubleDouble ExactProduct(double a, double b) {
    const double p = a * b;
    const DoubleDouble pa = SplitDouble(a), pb = SplitDouble(b);
    return {p, ((pa.high * pb.high - p) + pa.high * pb.low + pa.low * pb.high) + pa.low * pb.low};
}

// The error bound of the double-double below (2^-81.47 on the scale of the
// table entry), widened more than 2000-fold.
constexpr double kMargin = 0x1p-70;

}  // namespace

#ifdef PERCEPTLAB_BASELINE_ONLY
double Exp(double x) { return QuickLevel::InlineExp<false>(x); }
#else
[[gnu::target("default")]] double Exp(double x) { return QuickLevel::InlineExp<false>(x); }
[[gnu::target("arch=x86-64-v3")]] double Exp(double x) { return QuickLevel::InlineExp<true>(x); }
#endif

std::optional<double> DoubleDoubleExp(double x) {
    using namespace QuickLevel;
    // Only where e^x is a normal double is scaling by 2^k exact.
    if (!(x > -708.0 && x < 709.0)) return std::nullopt;

    // x = n·(ln 2)/1024 + r, r = rh + rl.
    const double nd = (x * kStepsPerUnit + kRoundingShift) - kRoundingShift;
    const auto n = static_cast<std::int64_t>(nd);
    const DoubleDouble rr = ExactSum(x - nd * kStep1, -(nd * kStep2Short));
    const double rh = rr.high, rl = rr.low - nd * kStep3;
    const PowerOfTwo& t = kPowerTable[n & kIndexMask];
    const double tLow = t.high * t.relative;
    // e^r − 1 to degree 6, then (high + tLow)·e^r.
    const DoubleDouble square = ExactProduct(rh, rh);
    const double remainder = rl + rl * rh + 0.5 * square.low +
                         square.high * (rh * (1.0 / 6 + rh * (1.0 / 24 + rh * (1.0 / 120 + rh * (1.0 / 720)))));
    const DoubleDouble e = OrderedExactSum(rh, 0.5 * square.high);
    const DoubleDouble m = ExactProduct(t.high, e.high);
    const DoubleDouble s = OrderedExactSum(t.high, m.high);
    const double low = s.low + (m.low + ((t.high * (e.low + remainder) + tLow) + tLow * e.high));

    const double below = s.high + (low - kMargin), above = s.high + (low + kMargin);
    if (below == above) return below * std::bit_cast<double>(static_cast<std::uint64_t>(1023 + (n >> kTableBits)) << 52);
    return std::nullopt;
}

double PreciseExp(double x) {
    const std::optional<double> settled = DoubleDoubleExp(x);
    return settled ? *settled : ExactExp(x);
}
