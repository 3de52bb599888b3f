// SPDX-License-Identifier: GPL-3.0-or-later
// The float grid: cell texts and numbers, what it draws, and editing driven
// by real key events.

#include "float_grid.h"
#include "float_grid_delegate.h"
#include "localized.h"
#include "program_error.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLineEdit>
#include <QTest>

#include <memory>

class FloatGridTest : public QObject {
    Q_OBJECT

private slots:
    void preparationFillsDataCellsWithZeros();
    void dataCellsDrawnThroughTheFormat_data();
    void dataCellsDrawnThroughTheFormat();
    void oneThirdStoredWith15DigitsAndShownWith7_data();
    void oneThirdStoredWith15DigitsAndShownWith7();
    void tooWideNumberDrawnAsHashes_data();
    void tooWideNumberDrawnAsHashes();
    void numberShrinksToSevenPixelsAndNoFurther();
    void headerCentredAndLabelColumnNumbered();
    void rowCountOneLeavesTheHeaderAndKeepsTexts();
    void setFloatOnlyInsideTheDataArea_data();
    void setFloatOnlyInsideTheDataArea();
    void getFloatRewritesNonNumbers_data();
    void getFloatRewritesNonNumbers();
    void editing_data();
    void editing();
    void typedTextReachesTheCellBeforeEnter();
    void notEditableGridIgnoresTyping();

private:
    std::unique_ptr<TFloatGrid> ShownGrid(bool editable);
    static void Type(const QStringList& keys);
};

std::unique_ptr<TFloatGrid> FloatGridTest::ShownGrid(bool editable) {
    auto grid = std::make_unique<TFloatGrid>(2, 11);
    grid->SetEditable(editable);
    grid->SetColWidth(0, 64);
    grid->SetColWidth(1, 120);
    grid->resize(240, 240);
    grid->show();
    grid->activateWindow();
    QApplication::setActiveWindow(grid.get());
    if (!QTest::qWaitForWindowActive(grid.get())) return nullptr;
    grid->setFocus(Qt::TabFocusReason);
    grid->setCurrentIndex(grid->model()->index(0, 0));
    return grid;
}

// One key per entry: "Enter", "Esc", "KP." (the keypad's decimal key) or one
// character, "." standing for the decimal separator. Each goes to the widget
// holding the focus, as a user's key would: the grid, then its cell editor.
void FloatGridTest::Type(const QStringList& keys) {
    for (const QString& key : keys) {
        QWidget* target = QApplication::focusWidget();
        if (key == QLatin1String("Enter"))
            QTest::keyClick(target, Qt::Key_Return);
        else if (key == QLatin1String("Esc"))
            QTest::keyClick(target, Qt::Key_Escape);
        else if (key == QLatin1String("KP."))
            QTest::keyClick(target, Qt::Key_Period, Qt::KeypadModifier);
        else
            QTest::keyClicks(target, Localized(key));
    }
}

void FloatGridTest::preparationFillsDataCellsWithZeros() {
    TFloatGrid grid(11, 2);
    QCOMPARE(grid.ColCount(), 11);
    QCOMPARE(grid.RowCount(), 2);
    for (int col = 1; col < 11; ++col) {
        QCOMPARE(grid.Cells(col, 1), QStringLiteral("0"));
        QCOMPARE(grid.Cells(col, 0), QString());
    }
    QCOMPARE(grid.Cells(0, 1), QString());
    QCOMPARE(grid.Cells(11, 1), QString());
    QCOMPARE(grid.DrawnText(0, 1), QStringLiteral("1"));
}

void FloatGridTest::dataCellsDrawnThroughTheFormat_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("drawn");

    QTest::newRow("thousands grouped") << "1234.5" << "1,234.5";
    QTest::newRow("millions grouped") << "-1234567" << "-1,234,567";
    QTest::newRow("blanks around") << "  2.5 " << "2.5";
    QTest::newRow("blank") << "" << "0";
    QTest::newRow("not a number") << "abc" << "0";
    QTest::newRow("exponent") << "1.5E3" << "1,500";
    QTest::newRow("seven decimals at most") << "0.66666666666" << "0.6666667";
    QTest::newRow("trailing zeros dropped") << "2.50000" << "2.5";
    QTest::newRow("negative rounding to zero") << "-0.00000001" << "0";
}

void FloatGridTest::dataCellsDrawnThroughTheFormat() {
    QFETCH(QString, text);
    QFETCH(QString, drawn);

    TFloatGrid grid(3, 3);
    grid.SetColWidth(2, 200);
    grid.SetCells(2, 1, Localized(text));
    QCOMPARE(grid.DrawnText(2, 1), Localized(drawn));
    const QModelIndex cell = grid.model()->index(0, 1);
    QCOMPARE(cell.data(Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignRight | Qt::AlignVCenter);
}

void FloatGridTest::oneThirdStoredWith15DigitsAndShownWith7_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");

    QTest::newRow("one third") << 1.0 / 3.0 << "0.333333333333333" << "0.3333333";
    QTest::newRow("minus two thirds") << -2.0 / 3.0 << "-0.666666666666667" << "-0.6666667";
    QTest::newRow("whole") << 42.0 << "42" << "42";
}

void FloatGridTest::oneThirdStoredWith15DigitsAndShownWith7() {
    QFETCH(double, value);
    QFETCH(QString, stored);
    QFETCH(QString, shown);

    TFloatGrid grid(2, 11);
    grid.SetColWidth(1, 150);
    grid.SetFloat(1, 3, value);
    QCOMPARE(grid.Cells(1, 3), Localized(stored));
    QCOMPARE(grid.DrawnText(1, 3), Localized(shown));
    QCOMPARE(grid.GetFloat(1, 3), stored.toDouble());
}

void FloatGridTest::tooWideNumberDrawnAsHashes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");

    QTest::newRow("fits") << "1.5" << 60;
    QTest::newRow("large value in a narrow column") << "123456789" << 40;
    QTest::newRow("long decimals in a narrow column") << "-0.1234567" << 30;
    QTest::newRow("column narrower than one hash") << "12345" << 5;
}

void FloatGridTest::tooWideNumberDrawnAsHashes() {
    QFETCH(QString, text);
    QFETCH(int, width);

    TFloatGrid grid(2, 2);
    grid.SetColWidth(1, width);
    grid.SetCells(1, 1, Localized(text));
    const QString formatted = grid.model()->index(0, 0).data(Qt::DisplayRole).toString();
    const QFontMetrics metrics = grid.viewport()->fontMetrics();
    const QString drawn = grid.DrawnText(1, 1);
    if (metrics.horizontalAdvance(formatted) <= width - 4) {
        QCOMPARE(drawn, formatted);
        return;
    }
    QCOMPARE(drawn, QString(drawn.size(), QLatin1Char('#')));
    QVERIFY(metrics.horizontalAdvance(drawn) <= std::max(0, width - 4));
    QVERIFY(metrics.horizontalAdvance(drawn + QLatin1Char('#')) > width - 4);
}

void FloatGridTest::numberShrinksToSevenPixelsAndNoFurther() {
    const QString text = QStringLiteral("-123456,789");
    QFont face = QApplication::font();
    face.setPixelSize(FloatGridDelegate::kSmallestPixels);
    const int atSeven = QFontMetrics(face).horizontalAdvance(text);
    face.setPixelSize(FloatGridDelegate::kSmallestPixels - 1);
    const int atSix = QFontMetrics(face).horizontalAdvance(text);
    QVERIFY(atSix < atSeven);

    const FloatGridDelegate::Fit seven = FloatGridDelegate::Fitted(text, QApplication::font(), atSeven + 4);
    QCOMPARE(seven.text, text);
    QCOMPARE(QFontInfo(seven.font).pixelSize(), FloatGridDelegate::kSmallestPixels);
    // Too wide even at 7 px: hashes, though a smaller face would fit.
    const FloatGridDelegate::Fit hashes = FloatGridDelegate::Fitted(text, QApplication::font(), atSix + 4);
    QVERIFY(!hashes.text.isEmpty());
    QCOMPARE(hashes.text, QString(hashes.text.size(), QLatin1Char('#')));
}

void FloatGridTest::headerCentredAndLabelColumnNumbered() {
    TFloatGrid grid(2, 4);
    grid.SetCells(0, 0, QStringLiteral("Salidas"));
    grid.SetCells(1, 0, QStringLiteral("Valor"));
    for (int row = 1; row < 4; ++row) grid.SetCells(0, row, QStringLiteral("Salida %1").arg(row + 10));

    QCOMPARE(grid.DrawnText(0, 0), QStringLiteral("Salidas"));
    QCOMPARE(grid.DrawnText(1, 0), QStringLiteral("Valor"));
    for (int row = 1; row < 4; ++row) {
        QCOMPARE(grid.DrawnText(0, row), QString::number(row));
        QCOMPARE(grid.Cells(0, row), QStringLiteral("Salida %1").arg(row + 10));
    }
    QAbstractItemModel* model = grid.model();
    QCOMPARE(model->headerData(0, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignCenter);
    QCOMPARE(model->headerData(0, Qt::Vertical, Qt::TextAlignmentRole).value<Qt::Alignment>(),
             Qt::AlignRight | Qt::AlignVCenter);
}

void FloatGridTest::rowCountOneLeavesTheHeaderAndKeepsTexts() {
    TFloatGrid grid(3, 3);
    grid.SetCells(1, 0, QStringLiteral("Entrada 1"));
    grid.SetFloat(2, 2, 7.5);
    grid.SetRowCount(1);
    QCOMPARE(grid.RowCount(), 1);
    QCOMPARE(grid.model()->rowCount(), 0);
    QCOMPARE(grid.DrawnText(1, 0), QStringLiteral("Entrada 1"));
    QCOMPARE(grid.DrawnText(2, 2), QString());
    QVERIFY_THROWS_EXCEPTION(ProgramError, grid.SetFloat(1, 1, 1.0));

    // Texts outside the size are kept, not shown; they come back with the rows.
    grid.SetCells(1, 2, QStringLiteral("3"));
    grid.SetRowCount(3);
    QCOMPARE(grid.Cells(1, 2), QStringLiteral("3"));
    QCOMPARE(grid.Cells(2, 2), Localized("7.5"));
    QCOMPARE(grid.DrawnText(2, 2), Localized("7.5"));

    grid.SetColCount(2);
    QCOMPARE(grid.model()->columnCount(), 1);
    QVERIFY_THROWS_EXCEPTION(ProgramError, grid.SetFloat(2, 2, 1.0));
}

void FloatGridTest::setFloatOnlyInsideTheDataArea_data() {
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("inside");

    QTest::newRow("first data cell") << 1 << 1 << true;
    QTest::newRow("last data cell") << 3 << 2 << true;
    QTest::newRow("label column") << 0 << 1 << false;
    QTest::newRow("header row") << 1 << 0 << false;
    QTest::newRow("column past the end") << 4 << 1 << false;
    QTest::newRow("row past the end") << 1 << 3 << false;
    QTest::newRow("negative column") << -1 << 1 << false;
}

void FloatGridTest::setFloatOnlyInsideTheDataArea() {
    QFETCH(int, col);
    QFETCH(int, row);
    QFETCH(bool, inside);

    TFloatGrid grid(4, 3);
    try {
        grid.SetFloat(col, row, 2.5);
        QVERIFY(inside);
        QCOMPARE(grid.Cells(col, row), Localized("2.5"));
    } catch (const ProgramError& error) {
        QVERIFY(!inside);
        QCOMPARE(QString::fromUtf8(error.what()), QStringLiteral("Intento de acceder a una celda inexistente"));
    }
}

void FloatGridTest::getFloatRewritesNonNumbers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("after");

    QTest::newRow("number kept") << "2.5" << 2.5 << "2.5";
    QTest::newRow("blanks and exponent") << " -1.5E2 " << -150.0 << " -1.5E2 ";
    QTest::newRow("letters") << "abc" << 0.0 << "0";
    QTest::newRow("blank") << "" << 0.0 << "0";
    QTest::newRow("lone sign") << "-" << 0.0 << "0";
    QTest::newRow("thousands separator") << "1,234" << 0.0 << "0";
}

void FloatGridTest::getFloatRewritesNonNumbers() {
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(QString, after);

    TFloatGrid grid(2, 3);
    grid.SetCells(1, 2, Localized(text));
    QCOMPARE(grid.GetFloat(1, 2), value);
    QCOMPARE(grid.Cells(1, 2), Localized(after));
}

void FloatGridTest::editing_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("expected");

    QTest::newRow("typing replaces the cell") << "0" << QStringList{"1", "2", ".", "5", "Enter"} << "12.5";
    QTest::newRow("second separator refused") << "0" << QStringList{"1", ".", ".", "5", "Enter"} << "1.5";
    QTest::newRow("lone separator refused") << "0" << QStringList{".", "Enter"} << "0";
    QTest::newRow("keypad decimal key") << "0" << QStringList{"3", "KP.", "2", "Enter"} << "3.2";
    QTest::newRow("letters and plus refused") << "0" << QStringList{"4", "a", "+", "e", "Enter"} << "4";
    QTest::newRow("minus toggles the sign") << "0" << QStringList{"5", "-", "Enter"} << "-5";
    QTest::newRow("minus twice") << "0" << QStringList{"5", "-", "-", "Enter"} << "5";
    QTest::newRow("caret stays beside its digit") << "0" << QStringList{"1", "2", "-", "3", "Enter"} << "-123";
    QTest::newRow("esc undoes the edit") << "7.5" << QStringList{"9", "9", "Esc"} << "7.5";
}

void FloatGridTest::editing() {
    QFETCH(QString, start);
    QFETCH(QStringList, keys);
    QFETCH(QString, expected);

    const std::unique_ptr<TFloatGrid> grid = ShownGrid(true);
    QVERIFY(grid);
    grid->SetCells(1, 1, Localized(start));
    Type(keys);
    QCOMPARE(grid->Cells(1, 1), Localized(expected));
}

void FloatGridTest::typedTextReachesTheCellBeforeEnter() {
    const std::unique_ptr<TFloatGrid> grid = ShownGrid(true);
    QVERIFY(grid);
    Type({"6", ".", "2"});
    QVERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()));
    QCOMPARE(grid->Cells(1, 1), Localized("6.2"));
    QCOMPARE(grid->GetFloat(1, 1), 6.2);
}

void FloatGridTest::notEditableGridIgnoresTyping() {
    const std::unique_ptr<TFloatGrid> grid = ShownGrid(false);
    QVERIFY(grid);
    Type({"8", "Enter"});
    QCOMPARE(QApplication::focusWidget(), grid.get());
    QCOMPARE(grid->Cells(1, 1), QStringLiteral("0"));
}

QTEST_MAIN(FloatGridTest)
#include "float_grid_test.moc"
