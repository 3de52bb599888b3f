#pragma once
// Writing numbers for the widgets, with the regional decimal separator.

#include <QChar>
#include <QString>

// The number in plain decimal notation with up to 15 significant digits and
// no exponent: only digits, the separator and a leading "-". Empty for a
// value that is not finite.
QString BareNumberText(long double value, QChar decimal);

// General format: `precision` significant digits, trailing zeros removed;
// fixed notation unless the integer part would need more than `precision`
// digits or the value is below 0.0001, then scientific ("1.2345679E10",
// "5E-05") with at least `exponentDigits` exponent digits.
QString GeneralFloatText(long double value, int precision, int exponentDigits, QChar decimal);

// Fixed notation with exactly `decimals` decimals and no grouping.
QString FixedText(long double value, int decimals, QChar decimal);

// Adds a leading "-" to a number's text or removes it; returns by how many
// characters everything after it moved (+1 or -1), so an editor can keep its
// caret beside the same digit.
int ToggleLeadingMinus(QString& text);
