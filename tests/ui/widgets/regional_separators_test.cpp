// SPDX-License-Identifier: GPL-3.0-or-later
// The regional separators the widgets write and read numbers with.

#include "regional_separators.h"

#include <QTest>

class RegionalSeparatorsTest : public QObject {
    Q_OBJECT

private slots:
    void followTheLocale();
};

void RegionalSeparatorsTest::followTheLocale() {
    const QByteArray lang = qgetenv("LANG");
    if (lang.startsWith("es_ES")) {
        QCOMPARE(RegionalDecimalSeparator(), ',');
        QCOMPARE(RegionalGroupSeparator(), QStringLiteral("."));
    } else if (lang.startsWith("C")) {
        QCOMPARE(RegionalDecimalSeparator(), '.');
        QCOMPARE(RegionalGroupSeparator(), QStringLiteral(","));
    } else {
        QSKIP("runs under LANG=C.UTF-8 and LANG=es_ES.UTF-8");
    }
}

QTEST_MAIN(RegionalSeparatorsTest)
#include "regional_separators_test.moc"
