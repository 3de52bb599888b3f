// SPDX-License-Identifier: GPL-3.0-or-later
// What the window shows must be read right, by eye and by screen reader:
// numbers drawn whole, entry fields that never show only a number's end,
// accessible names and values that follow what is shown, the keyboard where
// the next thing is typed, and a window that grows.

#include "error_chart.h"
#include "flat_spin_edit_float.h"
#include "flat_spin_edit_integer.h"
#include "float_edit.h"
#include "float_grid.h"
#include "main_window.h"
#include "nk_label_float.h"
#include "rounding.h"
#include "window_driver.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTabWidget>
#include <QTest>

#include <algorithm>

class WindowReadabilityTest : public QObject {
    Q_OBJECT

private slots:
    void gridsDrawEveryValueBelowAMillionWhole_data();
    void gridsDrawEveryValueBelowAMillionWhole();
    void executionGridDrawsTheEightDecimalExample();
    void entryFieldNeverShowsOnlyTheEndOfItsValue_data();
    void entryFieldNeverShowsOnlyTheEndOfItsValue();
    void screenReadersHearWhatIsShown();
    void newNetworkPutsTheKeyboardInTheFirstField();
    void enlargedWindowGivesTheRoomToGridsAndChart();
    void disabledReadOutsKeepTheirColours();
};

namespace {

// Every grid of the window at its default size, each as full as the program
// makes it: the grids of 32 inputs and 32 outputs, the pattern grid with 100.
TFloatGrid* FilledGrid(WindowDriver& driver, const QString& name) {
    TForm1& form = driver.form();
    driver.CreateNetwork(32, 2, 32);
    form.FloatGrid1->SetRowCount(101);
    driver.ShowTab(form.TabSheet3);
    driver.ShowTab(form.TabSheet4);
    return form.findChild<TFloatGrid*>(name);
}

}  // namespace

void WindowReadabilityTest::gridsDrawEveryValueBelowAMillionWhole_data() {
    QTest::addColumn<QString>("grid");
    QTest::addColumn<double>("value");
    for (const char* grid : {"FloatGrid1", "FloatGrid2", "FloatGrid3", "FloatGrid4", "FloatGrid5"}) {
        QTest::newRow(qPrintable(QString("%1 largest").arg(grid))) << grid << -999999.9999999;
        QTest::newRow(qPrintable(QString("%1 typical").arg(grid))) << grid << 0.12345678;
        QTest::newRow(qPrintable(QString("%1 mixed").arg(grid))) << grid << 123456.1234567;
    }
}

void WindowReadabilityTest::gridsDrawEveryValueBelowAMillionWhole() {
    QFETCH(QString, grid);
    QFETCH(double, value);
    WindowDriver driver;
    TFloatGrid* shown = FilledGrid(driver, grid);
    const int lastRow = shown->RowCount() - 1;
    shown->SetFloat(1, lastRow, value);
    const QString formatted = shown->model()->index(lastRow - 1, 0).data(Qt::DisplayRole).toString();
    QCOMPARE(shown->DrawnText(1, lastRow), formatted);
    QVERIFY(!formatted.contains(QLatin1Char('#')));
}

void WindowReadabilityTest::executionGridDrawsTheEightDecimalExample() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.ShowTab(form.TabSheet4);
    form.FloatGrid5->SetFloat(1, 1, Redondear(8, 0.123456789));
    QCOMPARE(form.FloatGrid5->DrawnText(1, 1), driver.Regional("0.1234568"));
}

void WindowReadabilityTest::entryFieldNeverShowsOnlyTheEndOfItsValue_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("fitsWhole");
    QTest::newRow("fits in a smaller face") << "1234.5678" << true;
    QTest::newRow("too long for any face") << "12345.12345678" << false;
}

void WindowReadabilityTest::entryFieldNeverShowsOnlyTheEndOfItsValue() {
    QFETCH(QString, typed);
    QFETCH(bool, fitsWhole);
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.ShowTab(form.TabSheet2);
    TFloatEdit* edit = form.NKLabelFloat[1]->Edit();
    driver.TypeNumber(form.NKLabelFloat[1], typed);
    form.NKLabelFloat[2]->setFocus(Qt::TabFocusReason);
    QVERIFY(!edit->hasFocus());

    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
    const int room = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit).width() - 4;
    const bool fits = QFontMetrics(edit->font()).horizontalAdvance(edit->text()) <= room;
    QCOMPARE(fits, fitsWhole);
    if (fits) QVERIFY(edit->font().pixelSize() < form.NKLabelFloat[1]->font().pixelSize());
    else QCOMPARE(edit->cursorPosition(), 0);
}

void WindowReadabilityTest::screenReadersHearWhatIsShown() {
    WindowDriver driver;
    TForm1& form = driver.form();
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&form);
    QCOMPARE(window->role(), QAccessible::Window);
    QCOMPARE(window->text(QAccessible::Name), QString("PerceptLab 0.1"));

    driver.CreateNetwork(2, 2, 1);
    driver.AddPattern({"0", "1"}, {"0.9"});
    driver.AddPattern({"1", "1"}, {"0.1"});
    QCOMPARE(QAccessible::queryAccessibleInterface(form.Label3)->text(QAccessible::Name), QString("Patrón 3"));

    form.FlatSpinEditInteger5->SetValue(9030000);
    QAccessibleInterface* total = QAccessible::queryAccessibleInterface(form.FlatSpinEditInteger5);
    QCOMPARE(total->valueInterface()->currentValue().toInt(), 9030000);
    QCOMPARE(total->text(QAccessible::Value), QString("9030000"));

    form.FlatSpinEditFloat1->SetValue(564.55695);
    QAccessibleInterface* largest = QAccessible::queryAccessibleInterface(form.FlatSpinEditFloat1);
    QCOMPARE(largest->valueInterface()->currentValue().toDouble(), 564.55695);
    QCOMPARE(largest->text(QAccessible::Value), driver.Regional("564.55695"));

    driver.TypeNumber(form.NKLabelFloat[11], "2.5");
    QAccessibleInterface* field = QAccessible::queryAccessibleInterface(form.NKLabelFloat[11]);
    QVERIFY(field->valueInterface());
    QCOMPARE(field->valueInterface()->currentValue().toDouble(), 2.5);
    QCOMPARE(field->text(QAccessible::Value), driver.Regional("2.5"));
    QCOMPARE(field->text(QAccessible::Name), QString("Salida1"));
}

void WindowReadabilityTest::newNetworkPutsTheKeyboardInTheFirstField() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.CreateNetwork(3, 2, 1);
    QCOMPARE(QApplication::focusWidget(), form.NKLabelFloat[1]->Edit());
}

void WindowReadabilityTest::enlargedWindowGivesTheRoomToGridsAndChart() {
    WindowDriver driver;
    TForm1& form = driver.form();
    const QRect grid = form.FloatGrid1->geometry();
    const QRect chart = form.Chart1->geometry();
    const QRect outputs = form.FloatGrid3->geometry();
    const QRect results = form.FloatGrid5->geometry();
    const QRect train = form.SpeedButton7->geometry();
    const QRect run = form.SpeedButton9->geometry();

    // Maximised on a 1280 x 1024 screen, less a title bar.
    form.resize(1280, 994);
    QCOMPARE(form.PageControl1->size(), QSize(601 + 649, 401 + 560));
    // Moved down by shares of the height gained, across by shares of the width.
    QCOMPARE(form.Chart1->y(), chart.y() + qRound(560 / 3.0));
    QCOMPARE(form.SpeedButton9->pos(), run.topLeft() + QPoint(qRound(649 / 2.0), 560));
    driver.ShowTab(form.TabSheet2);
    const int rowHeight = form.FloatGrid1->rowHeight(0);
    QVERIFY2(form.FloatGrid1->viewport()->height() / rowHeight >= 30,
             qPrintable(QString::number(form.FloatGrid1->viewport()->height() / rowHeight)));
    QVERIFY(form.Chart1->width() > chart.width() && form.Chart1->height() > chart.height());
    QVERIFY(form.FloatGrid3->width() > outputs.width() && form.FloatGrid3->height() > outputs.height());
    QVERIFY(form.FloatGrid5->width() > results.width() && form.FloatGrid5->height() > results.height());
    QCOMPARE(form.SpeedButton7->geometry(), train);
    // The buttons over the chart's top corners stay over them, clear of the
    // output grids above, at every size.
    for (const QSize size : {QSize(1280, 994), QSize(631, 434), QSize(900, 600)}) {
        form.resize(size);
        for (const QWidget* button : {form.chartOptions, form.saveChartImage}) {
            QVERIFY2(form.Chart1->geometry().contains(button->geometry()), qPrintable(button->objectName()));
            for (const char* box : {"GroupBox12", "GroupBox11"})
                QVERIFY2(!form.findChild<QWidget*>(box)->geometry().intersects(button->geometry()), box);
        }
    }

    form.resize(200, 200);
    QCOMPARE(form.size(), QSize(631, 434));
    QCOMPARE(form.FloatGrid1->geometry(), grid);
    QCOMPARE(form.Chart1->geometry(), chart);
    QCOMPARE(form.FloatGrid3->geometry(), outputs);
}

void WindowReadabilityTest::disabledReadOutsKeepTheirColours() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.ShowTab(form.TabSheet3);
    // The read-out boxes, each with the colour it is painted in.
    const QStringList names{"GroupBox10", "GroupBox13", "GroupBox14", "GroupBox17"};
    QList<QColor> colours;
    for (const QString& name : names) {
        QWidget* box = form.findChild<QWidget*>(name);
        QVERIFY(box);
        colours << box->grab().toImage().pixelColor(box->width() - 4, box->height() / 2);
    }
    // As a run leaves the window.
    form.PageControl1->setEnabled(false);
    for (qsizetype i = 0; i < names.size(); ++i) {
        QWidget* box = form.findChild<QWidget*>(names[i]);
        QCOMPARE(box->grab().toImage().pixelColor(box->width() - 4, box->height() / 2), colours[i]);
        for (QWidget* readOut : box->findChildren<QWidget*>()) {
            const QPalette p = readOut->palette();
            QCOMPARE(p.color(QPalette::Disabled, QPalette::Text), p.color(QPalette::Active, QPalette::Text));
            QCOMPARE(p.color(QPalette::Disabled, QPalette::Base), p.color(QPalette::Active, QPalette::Base));
        }
    }
}

QTEST_MAIN(WindowReadabilityTest)
#include "window_readability_test.moc"
