// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's number texts as the widgets use them: QStrings in the
// regional decimal separator. The forms themselves live in number_text/.

#include "display_format.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

// The double nearest to the text, or nothing when it holds no number (or one
// too large for a double). Thousands separators are not part of a number.
std::optional<double> ReadNumber(QStringView text);

// Leading blanks, an optional sign, decimal digits and nothing else, within 32 bits.
std::optional<std::int32_t> ReadWholeNumber(QStringView text);

QString BareNumberText(long double value);
QString GeneralNumberText(long double value, int precision, int exponentDigits);
QString FixedNumberText(long double value, int decimals);
// The file form: 15 significant digits.
QString FileNumberText(double value);
// The value in `format`, grouped with the regional thousands separator.
QString FormattedNumber(const DisplayFormat& format, long double value);

// Adds a leading "-" to a number's text or removes it; returns by how many
// characters everything after it moved (+1 or -1), so an editor can keep its
// caret beside the same digit.
int ToggleLeadingMinus(QString& text);
