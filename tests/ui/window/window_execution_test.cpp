// SPDX-License-Identifier: GPL-3.0-or-later
// The execution tab, and the whole path from configuration through data entry
// to execution with the keyboard alone.

#include "flat_combo_box.h"
#include "flat_spin_edit_integer.h"
#include "float_grid.h"
#include "main_window.h"
#include "nk_label_float.h"
#include "rounding.h"
#include "window_driver.h"

#include <QApplication>
#include <QTabWidget>
#include <QTest>

class WindowExecutionTest : public QObject {
    Q_OBJECT

private slots:
    void executeRoundsToTheChosenDecimals_data();
    void executeRoundsToTheChosenDecimals();
    void executionGridsFitTheNetworkAndForgetOnLeaving();
    void executeWithoutANetworkDoesNothing();
    void keyboardAlonePathFromConfigurationToExecution();
};

namespace {

// Presses Tab until `target` (or the edit inside it) has the focus; fails when
// the tab order never gets there.
bool TabTo(QWidget* target) {
    for (int presses = 0; presses < 80; ++presses) {
        QWidget* focus = QApplication::focusWidget();
        if (focus && (focus == target || target->isAncestorOf(focus))) return true;
        QTest::keyClick(focus ? focus : QApplication::activeWindow(), Qt::Key_Tab);
        QCoreApplication::processEvents();
    }
    return false;
}

// Types into the current cell of an editable grid and confirms with Enter.
// The first key opens the current cell's editor, which takes the focus;
// Enter confirms and closes it.
void TypeCell(const QString& text) {
    for (const QChar c : text) QTest::keyClicks(QApplication::focusWidget(), QString(c));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    // The editor closes through a queued call, as the event loop would run it.
    QCoreApplication::processEvents();
}

// The grid's model holds the data cells only: cell (1, row) is its (row - 1, 0).
void MakeCurrent(TFloatGrid* grid, int row) {
    grid->setFocus(Qt::TabFocusReason);
    grid->setCurrentIndex(grid->model()->index(row - 1, 0));
}

}  // namespace

void WindowExecutionTest::executeRoundsToTheChosenDecimals_data() {
    // "-" toggles the sign of what is typed, so it comes last.
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("decimals");
    QTest::addColumn<QString>("shown");
    QTest::newRow("half, 0 decimals") << "0.5" << "0.5" << "0" << "1";
    QTest::newRow("just below half, 0 decimals") << "0.4999" << "0.4999" << "0" << "0";
    QTest::newRow("half, 3 decimals") << "0.5" << "0.5" << "3" << "0.5";
    QTest::newRow("seven digits, 3 decimals") << "0.1234567" << "0.1234567" << "3" << "0.123";
    QTest::newRow("negative truncates toward zero") << "0.17-" << "-0.17" << "1" << "-0.1";
    QTest::newRow("typed beyond the range reads as 8") << "0.123456789" << "0.123456789" << "12" << "0.12345679";
}

void WindowExecutionTest::executeRoundsToTheChosenDecimals() {
    QFETCH(QString, typed);
    QFETCH(QString, input);
    QFETCH(QString, decimals);
    QFETCH(QString, shown);
    WindowDriver driver;
    TForm1& form = driver.form();
    // Identity network whose output equals its input.
    driver.dialogs.answers << driver.WriteFile("ident.ren", {"1", "1", "1", "0", "2", "0", "1", "0", "1"});
    driver.Click(form.SpeedButton10);
    QCOMPARE(form.PageControl1->currentWidget(), form.TabSheet4);

    MakeCurrent(form.FloatGrid4, 1);
    TypeCell(driver.Regional(typed));
    QCOMPARE(form.FloatGrid4->Cells(1, 1), driver.Regional(input));
    // Not confirmed: the button takes no focus, so the value goes as typed.
    driver.TypeInto(form.FlatSpinEditInteger7, decimals);
    driver.Click(form.SpeedButton9);
    QCOMPARE(form.FloatGrid5->Cells(1, 1), driver.Regional(shown));
    QVERIFY(driver.errors.messages.isEmpty());
}

void WindowExecutionTest::executionGridsFitTheNetworkAndForgetOnLeaving() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.ShowTab(form.TabSheet4);
    // Before any network: the start-up network's 2 inputs and 1 output.
    QCOMPARE(form.FloatGrid4->RowCount(), 3);
    QCOMPARE(form.FloatGrid5->RowCount(), 2);

    driver.CreateNetwork(3, 2, 2);
    driver.ShowTab(form.TabSheet4);
    QCOMPARE(RowTexts(*form.FloatGrid4, 0), (QStringList{"Entradas", ""}));
    QCOMPARE(RowTexts(*form.FloatGrid4, 3), (QStringList{"Entrada 3", "0"}));
    QCOMPARE(form.FloatGrid4->RowCount(), 4);
    QCOMPARE(RowTexts(*form.FloatGrid5, 2), (QStringList{"Salida 2", "0"}));
    QCOMPARE(form.FloatGrid5->RowCount(), 3);

    MakeCurrent(form.FloatGrid4, 2);
    TypeCell("7");
    driver.TypeInto(form.FlatSpinEditInteger7, "4");
    driver.Click(form.SpeedButton9);
    QVERIFY(form.FloatGrid5->Cells(1, 1) != QString("0"));

    driver.ShowTab(form.TabSheet2);
    driver.ShowTab(form.TabSheet4);
    QCOMPARE(form.FloatGrid4->Cells(1, 2), QString("0"));
    QCOMPARE(form.FloatGrid5->Cells(1, 1), QString("0"));
    QCOMPARE(form.FlatSpinEditInteger7->Value(), 4);
}

void WindowExecutionTest::executeWithoutANetworkDoesNothing() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.ShowTab(form.TabSheet4);
    MakeCurrent(form.FloatGrid4, 1);
    TypeCell("5");
    driver.Click(form.SpeedButton9);
    QCOMPARE(form.FloatGrid5->Cells(1, 1), QString("0"));
    QCOMPARE(form.FloatGrid4->Cells(1, 1), QString("5"));
}

void WindowExecutionTest::keyboardAlonePathFromConfigurationToExecution() {
    WindowDriver driver;
    TForm1& form = driver.form();
    const auto type = [](const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); };
    const auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    };

    QVERIFY(TabTo(form.FlatSpinEditInteger1));
    type("2");
    QVERIFY(TabTo(form.FlatSpinEditInteger2));
    type("3");
    QVERIFY(TabTo(form.FlatSpinEditInteger3));
    type("1");
    QVERIFY(TabTo(form.FlatComboBox1));
    press(Qt::Key_Down);
    QVERIFY(TabTo(form.FlatComboBox2));
    press(Qt::Key_Down);
    QVERIFY(TabTo(form.SpeedButton1));
    press(Qt::Key_Space);
    QCOMPARE(form.PageControl1->currentWidget(), form.TabSheet2);
    QCOMPARE(form.RedNeuronal1.NumeroEntradas(), 2);
    QCOMPARE(int(form.RedNeuronal1.NeuronasCapaOculta()), 3);

    const QList<QStringList> patterns{{"0", "0", "0.1"}, {"0", "1", "0.9"}, {"1", "0", "0.9"}, {"1", "1", "0.1"}};
    for (const QStringList& pattern : patterns) {
        QVERIFY(TabTo(form.NKLabelFloat[1]));
        type(driver.Regional(pattern[0]));
        press(Qt::Key_Tab);
        type(driver.Regional(pattern[1]));
        // Disabled fields are skipped: the next stop is the first output.
        press(Qt::Key_Tab);
        QVERIFY(form.NKLabelFloat[11]->isAncestorOf(QApplication::focusWidget()));
        type(driver.Regional(pattern[2]));
        QVERIFY(TabTo(form.SpeedButton3));
        press(Qt::Key_Space);
    }
    QCOMPARE(form.workState.NumeroPatrones, 4);
    QCOMPARE(form.workState.SalidasPatrones[2][1], 0.9);
    QCOMPARE(form.workState.EntradasPatrones[3][1], 1.0);

    press(Qt::Key_Tab, Qt::ControlModifier);
    press(Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(form.PageControl1->currentWidget(), form.TabSheet4);
    QVERIFY(TabTo(form.FloatGrid4));
    QCOMPARE(form.FloatGrid4->currentIndex().row(), 0);
    TypeCell("1");
    press(Qt::Key_Down);
    // Tab confirms a cell being edited and goes on out of the grid.
    QTest::keyClicks(QApplication::focusWidget(), "2");
    QVERIFY(TabTo(form.FlatSpinEditInteger7));
    type("3");
    QVERIFY(TabTo(form.SpeedButton9));
    press(Qt::Key_Space);
    QCOMPARE(form.FloatGrid4->Cells(1, 1), QString("1"));
    QCOMPARE(form.FloatGrid4->Cells(1, 2), QString("2"));
    bool isNumber = false;
    const double output = form.FloatGrid5->Cells(1, 1).replace(driver.separator(), '.').toDouble(&isNumber);
    QVERIFY(isNumber);
    QVERIFY(output > 0 && output < 1);
    QCOMPARE(Redondear(3, form.RedNeuronal1.SalidasObtenidas[1]), output);
}

QTEST_MAIN(WindowExecutionTest)
#include "window_execution_test.moc"
