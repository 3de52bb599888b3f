#pragma once
// Writing numbers for the widgets, with the regional decimal separator.

#include <QChar>
#include <QString>

// The number in plain decimal notation with up to 15 significant digits and
// no exponent: only digits, the separator and a leading "-". Empty for a
// value that is not finite.
QString BareNumberText(long double value, QChar decimal);

// General format: fixed notation while the integer part has at most
// `precision` digits and the value is not below 0.00001, otherwise
// scientific ("1.2345679E+10") with at least `exponentDigits` exponent
// digits; `precision` significant digits, trailing zeros removed.
QString GeneralFloatText(long double value, int precision, int exponentDigits, QChar decimal);

// Fixed notation with exactly `decimals` decimals and no grouping.
QString FixedText(long double value, int decimals, QChar decimal);
