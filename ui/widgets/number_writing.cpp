#include "number_writing.h"

#include "decimal_digits.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

QString NonFiniteText(long double value) {
    if (std::isnan(value)) return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

QString Sign(const DecimalDigits& number) {
    return number.negative && !number.IsZero() ? QStringLiteral("-") : QString();
}

QString PlainText(const DecimalDigits& number, QChar decimal) {
    const std::string integer = number.IntegerPart();
    QString text = Sign(number) + (integer.empty() ? QStringLiteral("0") : QString::fromStdString(integer));
    const std::string fraction = number.FractionPart();
    if (!fraction.empty()) text += decimal + QString::fromStdString(fraction);
    return text;
}

}  // namespace

QString BareNumberText(long double value, QChar decimal) {
    if (!std::isfinite(value)) return {};
    DecimalDigits number = ToDecimalDigits(value);
    RoundToSignificant(number, 15);
    return PlainText(number, decimal);
}

QString GeneralFloatText(long double value, int precision, int exponentDigits, QChar decimal) {
    if (!std::isfinite(value)) return NonFiniteText(value);
    // The digits come from 18 significant ones: more cannot be shown.
    precision = std::clamp(precision, 1, 18);
    DecimalDigits number = ToDecimalDigits(value);
    RoundToSignificant(number, precision);
    if (number.IsZero()) return QStringLiteral("0");
    if (number.pointPosition <= precision && number.pointPosition >= -3) return PlainText(number, decimal);

    QString text = Sign(number) + QChar(QLatin1Char(number.digits[0]));
    if (number.digits.size() > 1) text += decimal + QString::fromStdString(number.digits.substr(1));
    const int exponent = number.pointPosition - 1;
    QString digits = QString::number(std::abs(exponent));
    if (digits.size() < exponentDigits) digits.prepend(QString(exponentDigits - digits.size(), QLatin1Char('0')));
    text += QLatin1Char('E') + (exponent < 0 ? QStringLiteral("-") : QString()) + digits;
    return text;
}

QString FixedText(long double value, int decimals, QChar decimal) {
    if (!std::isfinite(value)) return NonFiniteText(value);
    DecimalDigits number = ToDecimalDigits(value);
    RoundToDecimals(number, decimals);
    const std::string integer = number.IntegerPart();
    QString text = Sign(number) + (integer.empty() ? QStringLiteral("0") : QString::fromStdString(integer));
    if (decimals > 0) {
        QString fraction = QString::fromStdString(number.FractionPart());
        text += decimal + fraction + QString(decimals - fraction.size(), QLatin1Char('0'));
    }
    return text;
}

int ToggleLeadingMinus(QString& text) {
    if (text.startsWith(QLatin1Char('-'))) {
        text.remove(0, 1);
        return -1;
    }
    text.prepend(QLatin1Char('-'));
    return 1;
}
