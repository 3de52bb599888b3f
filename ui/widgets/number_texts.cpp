// SPDX-License-Identifier: GPL-3.0-or-later
#include "number_texts.h"

#include "integer_text.h"
#include "real_reading.h"
#include "real_text.h"
#include "regional_separators.h"

std::optional<double> ReadNumber(QStringView text) {
    return ReadReal(text.toString().toStdString(), RegionalDecimalSeparator());
}

std::optional<std::int32_t> ReadWholeNumber(QStringView text) {
    return ReadInteger(text.toString().toStdString(), IntegerForms::Decimal);
}

QString BareNumberText(long double value) { return QString::fromStdString(BareText(value, RegionalDecimalSeparator())); }

QString GeneralNumberText(long double value, int precision, int exponentDigits) {
    return QString::fromStdString(GeneralText(value, precision, exponentDigits, RegionalDecimalSeparator()));
}

QString FixedNumberText(long double value, int decimals) {
    return QString::fromStdString(FixedText(value, decimals, RegionalDecimalSeparator()));
}

QString FileNumberText(double value) { return QString::fromStdString(RealText(value, RegionalDecimalSeparator())); }

QString FormattedNumber(const DisplayFormat& format, long double value) {
    return QString::fromStdString(format.Format(value, RegionalDecimalSeparator(), RegionalGroupSeparator().toStdString()));
}

int ToggleLeadingMinus(QString& text) {
    if (text.startsWith(QLatin1Char('-'))) {
        text.remove(0, 1);
        return -1;
    }
    text.prepend(QLatin1Char('-'));
    return 1;
}
