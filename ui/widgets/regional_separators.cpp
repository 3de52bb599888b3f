// SPDX-License-Identifier: GPL-3.0-or-later
#include "regional_separators.h"

#include <QLocale>

char RegionalDecimalSeparator() {
    static const char separator = [] {
        const QString point = QLocale::system().decimalPoint();
        if (point.size() == 1 && point[0].unicode() > ' ' && point[0].unicode() < 127 && !point[0].isDigit())
            return static_cast<char>(point[0].unicode());
        return '.';
    }();
    return separator;
}

QString RegionalGroupSeparator() {
    static const QString separator = [] {
        const QString group = QLocale::system().groupSeparator();
        // A group separator equal to the decimal one would make numbers ambiguous.
        return group == QString(QChar(RegionalDecimalSeparator())) ? QString() : group;
    }();
    return separator;
}
