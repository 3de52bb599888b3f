#pragma once
// Reading the numbers users type: an optional sign, digits with at most one
// decimal separator and an optional exponent ("1,5E-3"), blanks around the
// number allowed. Thousands separators are not part of a number.

#include <QChar>
#include <QStringView>

#include <cstdint>
#include <optional>

// The number the text holds, or nothing when it holds none (or one out of
// the range of long double).
std::optional<long double> ReadNumber(QStringView text, QChar decimal);

// The text read as a decimal integer of 32 bits ("+12", "-3"), or nothing.
std::optional<std::int32_t> ReadInteger(QStringView text);
