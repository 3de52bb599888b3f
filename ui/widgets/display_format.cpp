#include "display_format.h"

#include "decimal_digits.h"

#include <cmath>

DisplayFormat::DisplayFormat(const QString& pattern) : pattern_(pattern) {
    const qsizetype point = pattern.indexOf(QLatin1Char('.'));
    const QString integerPart = point < 0 ? pattern : pattern.left(point);
    for (const QChar c : integerPart) {
        if (c == QLatin1Char('#') || c == QLatin1Char('0')) ++integerDigits_;
        if (c == QLatin1Char('0')) ++minIntegerDigits_;
        if (c == QLatin1Char(',')) grouped_ = true;
    }
    if (point >= 0) {
        const QString decimalPart = pattern.mid(point + 1);
        decimals_ = static_cast<int>(decimalPart.size());
        minDecimals_ = static_cast<int>(decimalPart.count(QLatin1Char('0')));
    }
}

QString DisplayFormat::Format(long double value, QChar decimal, const QString& group) const {
    if (std::isnan(value)) return QStringLiteral("NAN");
    if (std::isinf(value)) return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");

    DecimalDigits number = ToDecimalDigits(value);
    RoundToDecimals(number, decimals_);

    QString integer = QString::fromStdString(number.IntegerPart());
    if (integer.size() < minIntegerDigits_) integer.prepend(QString(minIntegerDigits_ - integer.size(), QLatin1Char('0')));
    if (grouped_) {
        for (qsizetype at = integer.size() - 3; at > 0; at -= 3) integer.insert(at, group);
    }
    QString fraction = QString::fromStdString(number.FractionPart());
    if (fraction.size() < minDecimals_) fraction.append(QString(minDecimals_ - fraction.size(), QLatin1Char('0')));

    QString text;
    // A value that rounds to zero is shown without its sign.
    if (number.negative && !number.IsZero()) text += QLatin1Char('-');
    text += integer;
    if (!fraction.isEmpty()) text += decimal + fraction;
    return text;
}
