// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Test texts are written with "." for the decimal separator and "," for the
// thousands separator; these turn them into the running locale's, so every
// table holds under both a decimal point and a decimal comma locale.

#include "regional_separators.h"

#include <QString>

inline QString Localized(const QString& text) {
    QString local;
    for (const QChar c : text) {
        if (c == QLatin1Char('.'))
            local += QLatin1Char(RegionalDecimalSeparator());
        else if (c == QLatin1Char(','))
            local += RegionalGroupSeparator();
        else
            local += c;
    }
    return local;
}
