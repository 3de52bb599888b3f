#include "decimal_digits.h"

#include <charconv>
#include <cmath>
#include <iterator>

namespace {

constexpr int kSignificantDigits = 18;

void StripTrailingZeros(DecimalDigits& number) {
    while (!number.digits.empty() && number.digits.back() == '0') number.digits.pop_back();
    if (number.digits.empty()) number.pointPosition = 0;
}

// Keeps the first `keep` digits, rounding half away from zero on the next.
void KeepDigits(DecimalDigits& number, int keep) {
    if (keep >= static_cast<int>(number.digits.size())) return;
    if (keep < 0) {
        number.digits.clear();
        number.pointPosition = 0;
        return;
    }
    const bool up = number.digits[keep] >= '5';
    number.digits.resize(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && number.digits[i] == '9') number.digits[i--] = '0';
        if (i >= 0) {
            ++number.digits[i];
        } else {
            number.digits.insert(number.digits.begin(), '1');
            ++number.pointPosition;
        }
    }
    StripTrailingZeros(number);
}

}  // namespace

std::string DecimalDigits::IntegerPart() const {
    if (pointPosition <= 0) return {};
    std::string part = digits.substr(0, pointPosition);
    part.append(pointPosition - part.size(), '0');
    return part;
}

std::string DecimalDigits::FractionPart() const {
    if (static_cast<int>(digits.size()) <= pointPosition) return {};
    if (pointPosition >= 0) return digits.substr(pointPosition);
    return std::string(-pointPosition, '0') + digits;
}

DecimalDigits ToDecimalDigits(long double value) {
    DecimalDigits number;
    number.negative = std::signbit(value);
    if (value == 0) return number;
    // "d.ddddddddddddddddde+XX"
    char text[64];
    const auto end =
        std::to_chars(std::begin(text), std::end(text), std::fabs(value), std::chars_format::scientific,
                      kSignificantDigits - 1)
            .ptr;
    const std::string_view written(text, end - text);
    const auto exponentAt = written.find('e');
    number.digits.push_back(written[0]);
    number.digits.append(written.substr(2, exponentAt - 2));
    int exponent = 0;
    const char* exponentText = text + exponentAt + 1;
    if (*exponentText == '+') ++exponentText;
    std::from_chars(exponentText, end, exponent);
    number.pointPosition = exponent + 1;
    StripTrailingZeros(number);
    return number;
}

void RoundToSignificant(DecimalDigits& number, int count) { KeepDigits(number, count); }

void RoundToDecimals(DecimalDigits& number, int decimals) {
    KeepDigits(number, number.pointPosition + decimals);
}
