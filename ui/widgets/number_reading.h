#pragma once
// Reading the numbers users type. Reals follow the files' number text form
// (an optional sign, digits with at most one decimal separator, an optional
// exponent, blanks around), so a number typed reads as it would from a file.
// Thousands separators are not part of a number.

#include <QChar>
#include <QStringView>

#include <cstdint>
#include <optional>

// The double nearest to the text, or nothing when it holds no number (or
// one too large for a double).
std::optional<double> ReadNumber(QStringView text, QChar decimal);

// The text read as a decimal integer of 32 bits: leading blanks, an optional
// sign, digits and nothing else. Nothing when it is not one.
std::optional<std::int32_t> ReadInteger(QStringView text);
