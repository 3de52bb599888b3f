// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Level 1 of the exponential, for one double or for a vector of doubles, in
// two versions: Fma for code compiled for processors with fused multiply-add,
// the other for any processor. docs/exponential.md derives every constant.
//
// x = n·(ln 2)/1024 + r with |r| <= (ln 2)/2048 and a little, so
// e^x = 2^k·2^(j/1024)·e^r with n = 1024k + j, and 2^(j/1024) = high·(1 + relative)
// comes from the table.

#include <cstdint>
#include <cstring>

#include "exp.h"
#include "power_table.h"
#include "reduction_constants.h"

namespace QuickLevel {

inline constexpr int kTableBits = 10;
inline constexpr std::uint64_t kIndexMask = (std::uint64_t{1} << kTableBits) - 1;
inline constexpr double kRoundingShift = 0x1.8p52;  // adding it rounds to an integer held in the low mantissa bits
// Beyond it the result may come near the subnormal doubles or overflow.
inline constexpr double kLimit = 650.0;
// The rounding test's factor: it covers a relative error bound up to 2^-62.006;
// the quick value's is 2^-62.16, and 2^-62.47 when fused.
inline constexpr double kSlack = 1 + 0x1p-8;

// Vectors pass by value only between always-inlined functions.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpsabi"

// The bits of b as an A of the same size; for vectors too, where the
// sanitizers misread std::bit_cast.
template <class A, class B>
[[gnu::always_inline]] inline A AsBits(const B& b) {
    static_assert(sizeof(A) == sizeof(B));
    A a;
    std::memcpy(&a, &b, sizeof a);
    return a;
}

// c in every lane of a T.
template <class T>
[[gnu::always_inline]] inline T All(double c) {
    return T{} + c;
}

// a·b + c, rounded once (Fma) or twice. The fused form is written lane by
// lane; compiled for a processor with fused multiply-add it becomes one
// vector instruction.
template <bool Fma, class T>
[[gnu::always_inline]] inline T PlusTimes(const T& a, const T& b, const T& c) {
    if constexpr (!Fma) {
        return a * b + c;
    } else if constexpr (sizeof(T) == sizeof(double)) {
        return __builtin_fma(a, b, c);
    } else {
        T s = c;
        for (unsigned i = 0; i < sizeof(T) / sizeof(double); ++i) s[i] = __builtin_fma(a[i], b[i], c[i]);
        return s;
    }
}

// The quick value y of e^x, and whether it is the correctly rounded one,
// lane by lane: T is double with U std::uint64_t, or a vector of doubles with
// U the unsigned vector of its width (unsigned, so that lanes out of range
// wrap instead of overflowing). entries(j) gives the table entries of indexes
// j as .high and .relative. Lanes with |x| >= kLimit and NaN lanes are never
// settled; their y is meaningless.
template <bool Fma, class T, class U, class Entries, class Decision>
[[gnu::always_inline]] inline T QuickExp(const T& x, Entries entries, Decision& settled) {
    const T roundedValue = PlusTimes<Fma>(x, All<T>(kStepsPerUnit), All<T>(kRoundingShift));
    const T nd = roundedValue - kRoundingShift;
    const U n = AsBits<U>(roundedValue) - AsBits<std::uint64_t>(kRoundingShift);
    const T r1 = PlusTimes<Fma>(-nd, All<T>(kStep1), x);  // exact
    const T r = PlusTimes<Fma>(-nd, All<T>(kStep2), r1);
    // 2^k·high, k = floor(n / 1024) added to high's exponent.
    const auto& t = entries(n & kIndexMask);
    const T scale = AsBits<T>(AsBits<U>(t.high) + ((n & ~kIndexMask) << (52 - kTableBits)));
    // q = relative + e^r − 1 = relative + r + r²·(1/2 + r/6 + r²/24).
    const T r2 = r * r;
    const T a = PlusTimes<Fma>(r, All<T>(1.0 / 6), All<T>(0.5));
    const T b = PlusTimes<Fma>(r2, All<T>(1.0 / 24), a);
    const T q = PlusTimes<Fma>(r2, b, r + t.relative);
    // y = scale·(1 + q) rounded, and remainder what that rounding dropped.
    T y, remainder;
    if constexpr (Fma) {
        y = PlusTimes<Fma>(scale, q, scale);
        remainder = PlusTimes<Fma>(scale, q, scale - y);
    } else {
        const T p = scale * q;
        y = scale + p;
        remainder = p - (y - scale);
    }
    // Settled when even a remainder larger by the error bound would round to y.
    const T checked = PlusTimes<Fma>(remainder, All<T>(kSlack), y);
    const U magnitude = AsBits<U>(x) & ~(std::uint64_t{1} << 63);
    if constexpr (sizeof(T) == sizeof(double))
        // On the bits, which order the positive doubles and NaN above them:
        // integer comparisons, one branch.
        settled = (magnitude < AsBits<U>(kLimit)) & (AsBits<U>(checked) == AsBits<U>(y));
    else
        settled = (AsBits<T>(magnitude) < kLimit) & (checked == y);
    return y;
}
#pragma GCC diagnostic pop

// e^x for one double: level 1 inline, the slower levels called for the rare
// argument it leaves unsettled.
template <bool Fma>
[[gnu::always_inline]] inline double InlineExp(double x) {
    bool settled;
    const double y = QuickExp<Fma, double, std::uint64_t>(
        x, [](std::uint64_t j) -> const PowerOfTwo& { return kPowerTable[j]; }, settled);
    if (settled) [[likely]]
        return y;
    return PreciseExp(x);
}

}  // namespace QuickLevel
