#include "real_text.h"

#include "decimal_digits.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>

namespace {

constexpr int kFileDigits = 15;

__extension__ typedef unsigned __int128 UInt128;

constexpr std::array<std::uint64_t, 28> kPowersOf5 = [] {
    std::array<std::uint64_t, 28> powers{};
    powers[0] = 1;
    for (std::size_t i = 1; i < powers.size(); ++i) powers[i] = powers[i - 1] * 5;
    return powers;
}();

// The usual case of the files, exactly and fast: for 1E-13 <= magnitude <
// 1E15 the value times 10^(14 - e10) is mantissa x 5^k x 2^(exponent + k),
// which 128 bits hold whole, so its integer part gives the 15 digits and its
// fraction the rounding. Empty outside that range.
std::optional<DecimalDigits> FifteenDigitsFast(double value) {
    const double magnitude = std::fabs(value);
    if (!(magnitude >= 1e-13 && magnitude < 1e15)) return std::nullopt;
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
        if (k < 0 || k >= static_cast<int>(kPowersOf5.size())) return std::nullopt;
        const UInt128 product = static_cast<UInt128>(mantissa) * kPowersOf5[static_cast<std::size_t>(k)];
        const int shift = exponent + k;
        UInt128 whole = 0;
        bool up = false;
        if (shift >= 0) {
            if (shift > 10) return std::nullopt;
            whole = product << shift;
        } else {
            const int t = -shift;
            if (t >= 127) return std::nullopt;
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
        DecimalDigits number{std::signbit(value), std::string(kFileDigits, '0'), e10 + 1};
        if (rounded == high) {
            rounded = low;
            ++number.pointPosition;
        }
        for (int i = kFileDigits - 1; i >= 0; --i) {
            number.digits[static_cast<std::size_t>(i)] = static_cast<char>('0' + rounded % 10);
            rounded /= 10;
        }
        while (number.digits.back() == '0') number.digits.pop_back();
        return number;
    }
    return std::nullopt;
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

// Digits already rounded to `precision` significant ones.
std::string GeneralForm(const DecimalDigits& number, int precision, int exponentDigits, char separator) {
    if (number.IsZero()) return "0";
    if (number.pointPosition <= precision && number.pointPosition >= -3) return PlainText(number, separator);
    std::string text = Sign(number) + number.digits[0];
    if (number.digits.size() > 1) text += separator + number.digits.substr(1);
    const int exponent = number.pointPosition - 1;
    std::string digits = std::to_string(std::abs(exponent));
    if (static_cast<int>(digits.size()) < exponentDigits) digits.insert(0, exponentDigits - digits.size(), '0');
    return text + 'E' + (exponent < 0 ? "-" : "") + digits;
}

}  // namespace

std::string RealText(double value, char separator) {
    if (!std::isfinite(value)) return NonFiniteText(value);
    std::optional<DecimalDigits> number = FifteenDigitsFast(value);
    if (!number) {
        number = ExactDecimalDigits(value, kFileDigits + 1);
        RoundToSignificant(*number, kFileDigits);
    }
    return GeneralForm(*number, kFileDigits, 1, separator);
}

std::string GeneralText(long double value, int precision, int exponentDigits, char separator) {
    if (!std::isfinite(value)) return NonFiniteText(value);
    // The digits come from 18 significant ones: more cannot be shown.
    precision = std::clamp(precision, 1, 18);
    DecimalDigits number = ToDecimalDigits(value);
    RoundToSignificant(number, precision);
    return GeneralForm(number, precision, exponentDigits, separator);
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
