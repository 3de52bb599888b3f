// The number texts the widgets share: display formats, the general and
// fixed forms, the bare number of a focused field, integer reading and the
// regional separators. Separators are passed in, so these tables hold under
// any locale.

#include "display_format.h"
#include "number_reading.h"
#include "number_writing.h"
#include "regional_separators.h"

#include <QTest>

#include <limits>

class NumberTextsTest : public QObject {
    Q_OBJECT

private slots:
    void digitLimitsOfAFormat_data();
    void digitLimitsOfAFormat();
    void displayFormat_data();
    void displayFormat();
    void displayFormatWithCommaSeparators();
    void bareNumber_data();
    void bareNumber();
    void generalForm_data();
    void generalForm();
    void fixedForm_data();
    void fixedForm();
    void readInteger_data();
    void readInteger();
    void readNumberUsesTheGivenSeparator();
    void regionalSeparatorsFollowTheLocale();
};

void NumberTextsTest::digitLimitsOfAFormat_data() {
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("integerDigits");
    QTest::addColumn<int>("decimals");

    QTest::newRow("entry fields") << "##,##0.########" << 5 << 8;
    QTest::newRow("grids") << "##,##0.#######" << 5 << 7;
    QTest::newRow("no decimals") << "#,##0" << 4 << 0;
    QTest::newRow("fixed decimals") << "0.00" << 1 << 2;
}

void NumberTextsTest::digitLimitsOfAFormat() {
    QFETCH(QString, pattern);
    QFETCH(int, integerDigits);
    QFETCH(int, decimals);

    const DisplayFormat format(pattern);
    QCOMPARE(format.IntegerDigits(), integerDigits);
    QCOMPARE(format.Decimals(), decimals);
}

void NumberTextsTest::displayFormat_data() {
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    const QString field = QStringLiteral("##,##0.########");
    const QString grid = QStringLiteral("##,##0.#######");
    QTest::newRow("zero") << field << 0.0 << "0";
    QTest::newRow("negative zero") << field << -0.0 << "0";
    QTest::newRow("below one keeps its 0") << field << 0.5 << "0.5";
    QTest::newRow("thousands") << field << 12345.678 << "12,345.678";
    QTest::newRow("exactly a thousand") << field << 1000.0 << "1,000";
    QTest::newRow("below a thousand") << field << 999.0 << "999";
    QTest::newRow("millions past the placeholders") << field << -1234567.5 << "-1,234,567.5";
    QTest::newRow("one third, 8 decimals") << field << 1.0 / 3.0 << "0.33333333";
    QTest::newRow("one third, 7 decimals") << grid << 1.0 / 3.0 << "0.3333333";
    QTest::newRow("two thirds round up") << grid << 2.0 / 3.0 << "0.6666667";
    QTest::newRow("rounding carries into the integer") << grid << 999999.99999999 << "1,000,000";
    QTest::newRow("tiny negative shows no sign") << grid << -0.00000001 << "0";
    QTest::newRow("half rounds away from zero") << "0.##" << 0.125 << "0.13";
    QTest::newRow("negative half rounds away from zero") << "0.##" << -0.125 << "-0.13";
    QTest::newRow("zero placeholders kept") << "#,##0.00" << 1.5 << "1.50";
    QTest::newRow("leading zero placeholders") << "000" << 7.0 << "007";
    QTest::newRow("no grouping") << "0.#" << 12345.25 << "12345.3";
    QTest::newRow("huge value") << grid << 1e20 << "100,000,000,000,000,000,000";
    QTest::newRow("infinite") << grid << std::numeric_limits<double>::infinity() << "INF";
}

void NumberTextsTest::displayFormat() {
    QFETCH(QString, pattern);
    QFETCH(double, value);
    QFETCH(QString, expected);

    QCOMPARE(DisplayFormat(pattern).Format(value, QLatin1Char('.'), QStringLiteral(",")), expected);
}

void NumberTextsTest::displayFormatWithCommaSeparators() {
    const DisplayFormat format;
    QCOMPARE(format.Format(-1234567.25, QLatin1Char(','), QStringLiteral(".")), QStringLiteral("-1.234.567,25"));
    QCOMPARE(format.Format(1234.5, QLatin1Char(','), QString()), QStringLiteral("1234,5"));
    QCOMPARE(format.Format(1234.5, QLatin1Char(','), QString(QChar(0x202F))), QString("1") + QChar(0x202F) + "234,5");
}

void NumberTextsTest::bareNumber_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("one third") << 1.0 / 3.0 << "0.333333333333333";
    QTest::newRow("negative") << -2.5 << "-2.5";
    QTest::newRow("whole") << 123456.0 << "123456";
    QTest::newRow("small, no exponent") << 1e-7 << "0.0000001";
    QTest::newRow("large, no exponent") << 1.5e20 << "150000000000000000000";
    QTest::newRow("fifteen digits") << 0.1 + 0.2 << "0.3";
    QTest::newRow("not finite") << std::numeric_limits<double>::quiet_NaN() << "";
}

void NumberTextsTest::bareNumber() {
    QFETCH(double, value);
    QFETCH(QString, expected);

    QCOMPARE(BareNumberText(value, QLatin1Char('.')), expected);
    QCOMPARE(BareNumberText(value, QLatin1Char(',')), QString(expected).replace('.', ','));
}

void NumberTextsTest::generalForm_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("eight digits") << 12.3456789012 << "12.345679";
    QTest::newRow("trailing zeros dropped") << 2.5 << "2.5";
    QTest::newRow("eight integer digits stay fixed") << 12345678.0 << "12345678";
    QTest::newRow("nine go scientific") << 123456789.0 << "1.2345679E08";
    QTest::newRow("rounding to nine digits") << 99999999.5 << "1E08";
    QTest::newRow("0.0001 stays fixed") << 0.0001 << "0.0001";
    QTest::newRow("below 0.0001 scientific") << 0.00001234 << "1.234E-05";
    QTest::newRow("negative scientific") << -2.5e-7 << "-2.5E-07";
    QTest::newRow("three exponent digits") << 1.5e120 << "1.5E120";
}

void NumberTextsTest::generalForm() {
    QFETCH(double, value);
    QFETCH(QString, expected);

    QCOMPARE(GeneralFloatText(value, 8, 2, QLatin1Char('.')), expected);
}

void NumberTextsTest::fixedForm_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("whole") << 123456.0 << "123456.00";
    QTest::newRow("rounded half away") << -0.005 << "-0.01";
    QTest::newRow("rounds to zero") << -0.001 << "0.00";
    QTest::newRow("one decimal padded") << 99999.5 << "99999.50";
}

void NumberTextsTest::fixedForm() {
    QFETCH(double, value);
    QFETCH(QString, expected);

    QCOMPARE(FixedText(value, 2, QLatin1Char('.')), expected);
}

void NumberTextsTest::readInteger_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");

    QTest::newRow("digits") << "12" << true << 12;
    QTest::newRow("leading blanks and plus") << "  +7" << true << 7;
    QTest::newRow("negative") << "-3" << true << -3;
    QTest::newRow("largest") << "2147483647" << true << std::numeric_limits<int>::max();
    QTest::newRow("smallest") << "-2147483648" << true << std::numeric_limits<int>::min();
    QTest::newRow("one past the largest") << "2147483648" << false << 0;
    QTest::newRow("far past the largest") << "99999999999999999999" << false << 0;
    QTest::newRow("decimal") << "1.5" << false << 0;
    QTest::newRow("trailing blank") << "12 " << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("lone sign") << "-" << false << 0;
    QTest::newRow("hexadecimal") << "$10" << false << 0;
}

void NumberTextsTest::readInteger() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, value);

    const std::optional<std::int32_t> read = ReadInteger(text);
    QCOMPARE(read.has_value(), valid);
    if (valid) QCOMPARE(*read, value);
}

void NumberTextsTest::readNumberUsesTheGivenSeparator() {
    QCOMPARE(ReadNumber(u"1,5", QLatin1Char(',')), std::optional<double>(1.5));
    QCOMPARE(ReadNumber(u"1.5", QLatin1Char(',')), std::optional<double>());
    QCOMPARE(ReadNumber(u" -2.5E1 ", QLatin1Char('.')), std::optional<double>(-25.0));
    QCOMPARE(ReadNumber(u"1,234.5", QLatin1Char('.')), std::optional<double>());
    QCOMPARE(ReadNumber(u"1\u00B75", QChar(0x00B7)), std::optional<double>());
}

void NumberTextsTest::regionalSeparatorsFollowTheLocale() {
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

QTEST_MAIN(NumberTextsTest)
#include "number_texts_test.moc"
