// SPDX-License-Identifier: GPL-3.0-or-later
#include "real_text.h"

#include "decimal_digits.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace {

constexpr int kFileDigits = 15;

__extension__ typedef unsigned __int128 UInt128;

constexpr std::array<std::uint64_t, 28> kPowersOf5 = [] {
    std::array<std::uint64_t, 28> powers{};
    powers[0] = 1;
    for (std::size_t i = 1; i < powers.size(); ++i) powers[i] = powers[i - 1] * 5;
    return powers;
}();

// Significant digits without trailing zeros, the value being
// 0.digits x 10^pointPosition: the shape both forms are written from.
struct Digits {
    std::array<char, 20> digits;
    int count = 0;
    int pointPosition = 0;
    bool negative = false;
};

Digits FromDecimalDigits(const DecimalDigits& number) {
    Digits d;
    d.count = static_cast<int>(number.digits.size());
    for (int i = 0; i < d.count; ++i) d.digits[static_cast<std::size_t>(i)] = number.digits[static_cast<std::size_t>(i)];
    d.pointPosition = number.pointPosition;
    d.negative = number.negative;
    return d;
}

// The usual case of the files, exactly and fast: for 1E-13 <= magnitude <
// 1E15 the value times 10^(14 - e10) is mantissa x 5^k x 2^(exponent + k),
// which 128 bits hold whole, so its integer part gives the 15 digits and its
// fraction the rounding. False, leaving `d` unset, outside that range. (It
// fills the caller's digits in place: copying them out of a returned struct
// right after writing them byte by byte stalls on the stores.)
[[gnu::always_inline]] inline bool FifteenDigitsFast(double value, Digits& d) {
    const double magnitude = std::fabs(value);
    if (!(magnitude >= 1e-13 && magnitude < 1e15)) return false;
    constexpr std::uint64_t low = 100000000000000;  // 10^14: fifteen digits
    constexpr std::uint64_t high = 10 * low;
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const std::uint64_t mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    const int exponent = static_cast<int>(bits >> 52) - 1075;  // magnitude = mantissa x 2^exponent
    // floor(log10(2^(exponent + 52))): the power of ten of the first digit or
    // one below it, which the digit count below corrects.
    int e10 = ((exponent + 52) * 78913) >> 18;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int k = 14 - e10;
        if (k < 0 || k >= static_cast<int>(kPowersOf5.size())) return false;
        const UInt128 product = static_cast<UInt128>(mantissa) * kPowersOf5[static_cast<std::size_t>(k)];
        const int shift = exponent + k;
        UInt128 whole = 0;
        bool up = false;
        if (shift >= 0) {
            if (shift > 10) return false;
            whole = product << shift;
        } else {
            const int t = -shift;
            if (t >= 127) return false;
            const UInt128 one = 1;
            whole = product >> t;
            up = (product & ((one << t) - 1)) >= (one << (t - 1));  // a half goes away from zero
        }
        if (whole < low) {
            --e10;
            continue;
        }
        if (whole >= high) {
            ++e10;
            continue;
        }
        auto rounded = static_cast<std::uint64_t>(whole) + (up ? 1 : 0);
        d.negative = std::signbit(value);
        d.pointPosition = e10 + 1;
        if (rounded == high) {
            rounded = low;
            ++d.pointPosition;
        }
        for (int i = kFileDigits - 1; i >= 0; --i) {
            d.digits[static_cast<std::size_t>(i)] = static_cast<char>('0' + rounded % 10);
            rounded /= 10;
        }
        d.count = kFileDigits;
        while (d.digits[static_cast<std::size_t>(d.count - 1)] == '0') --d.count;
        return true;
    }
    return false;
}

std::string NonFiniteText(long double value) {
    if (std::isnan(value)) return "NAN";
    return value < 0 ? "-INF" : "INF";
}

std::string Sign(const DecimalDigits& number) { return number.negative && !number.IsZero() ? "-" : ""; }

std::string PlainText(const DecimalDigits& number, char separator) {
    const std::string integer = number.IntegerPart();
    std::string text = Sign(number) + (integer.empty() ? "0" : integer);
    const std::string fraction = number.FractionPart();
    if (!fraction.empty()) text += separator + fraction;
    return text;
}

// Digits already rounded to `precision` significant ones: fixed notation
// when the integer part fits `precision` digits and the value is at least
// 0.0001, otherwise scientific.
[[gnu::always_inline]] inline std::string GeneralForm(const Digits& d, int precision, int exponentDigits,
                                                     char separator) {
    if (d.count == 0) return "0";
    // At most "-0," + 3 zeros + 18 digits, or "-d," + 17 digits + "E-" + 4 digits.
    std::array<char, 48> text;
    char* p = text.data();
    const auto put = [&p](const char* from, int count) {
        for (int i = 0; i < count; ++i) *p++ = from[i];
    };
    const char* digits = d.digits.data();
    const int m = d.count, x = d.pointPosition;
    if (d.negative) *p++ = '-';
    if (x >= -3 && x <= precision) {
        if (x <= 0) {
            *p++ = '0';
            *p++ = separator;
            for (int i = 0; i < -x; ++i) *p++ = '0';
            put(digits, m);
        } else if (m <= x) {
            put(digits, m);
            for (int i = m; i < x; ++i) *p++ = '0';
        } else {
            put(digits, x);
            *p++ = separator;
            put(digits + x, m - x);
        }
    } else {
        *p++ = digits[0];
        if (m > 1) {
            *p++ = separator;
            put(digits + 1, m - 1);
        }
        *p++ = 'E';
        const int exponent = x - 1;
        if (exponent < 0) *p++ = '-';
        std::array<char, 8> magnitude{};
        const char* end = std::to_chars(magnitude.data(), magnitude.data() + magnitude.size(), std::abs(exponent)).ptr;
        for (auto n = end - magnitude.data(); n < exponentDigits; ++n) *p++ = '0';
        put(magnitude.data(), static_cast<int>(end - magnitude.data()));
    }
    return std::string(text.data(), p);
}

}  // namespace

std::string RealText(double value, char separator) {
    if (!std::isfinite(value)) return NonFiniteText(value);
    if (value == 0.0) return "0";
    if (Digits fast; FifteenDigitsFast(value, fast)) return GeneralForm(fast, kFileDigits, 1, separator);
    DecimalDigits exact = ExactDecimalDigits(value, kFileDigits + 1);
    RoundToSignificant(exact, kFileDigits);
    return GeneralForm(FromDecimalDigits(exact), kFileDigits, 1, separator);
}

std::string GeneralText(long double value, int precision, int exponentDigits, char separator) {
    if (!std::isfinite(value)) return NonFiniteText(value);
    // The digits come from 18 significant ones: more cannot be shown.
    precision = std::clamp(precision, 1, 18);
    DecimalDigits number = ToDecimalDigits(value);
    RoundToSignificant(number, precision);
    return GeneralForm(FromDecimalDigits(number), precision, exponentDigits, separator);
}

std::string BareText(long double value, char separator) {
    if (!std::isfinite(value)) return {};
    DecimalDigits number = ToDecimalDigits(value);
    RoundToSignificant(number, 15);
    return PlainText(number, separator);
}

std::string FixedText(long double value, int decimals, char separator) {
    if (!std::isfinite(value)) return NonFiniteText(value);
    DecimalDigits number = ToDecimalDigits(value);
    RoundToDecimals(number, decimals);
    std::string text = PlainText(number, separator);
    if (decimals > 0) {
        const std::size_t fraction = number.FractionPart().size();
        if (fraction == 0) text += separator;
        text.append(static_cast<std::size_t>(decimals) - fraction, '0');
    }
    return text;
}

std::string ShortestText(double value, char separator) {
    std::array<char, 32> digits{};
    char* end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
    std::string text(digits.data(), end);
    std::replace(text.begin(), text.end(), '.', separator);
    return text;
}
