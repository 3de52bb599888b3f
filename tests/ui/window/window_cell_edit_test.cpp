// SPDX-License-Identifier: GPL-3.0-or-later
// A pattern cell edited in place keeps, bit for bit, whatever the user did
// not retype, however its editor opens and closes.

#include "float_grid.h"
#include "main_window.h"
#include "nk_label_float.h"
#include "window_driver.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

#include <bit>
#include <cstdint>

class WindowCellEditTest : public QObject {
    Q_OBJECT
private slots:
    void editorKeepsWhatWasNotTyped_data();
    void editorKeepsWhatWasNotTyped();
};

namespace {

enum class Opening { F2, DoubleClick, Typing };
enum class Closing { Return, Tab, OtherCell, EntryField, OtherWindow };

QPoint CellCentre(TFloatGrid& grid, int col, int row) {
    const QModelIndex cell = grid.model()->index(row - 1, col - 1);
    grid.scrollTo(cell);
    return grid.visualRect(cell).center();
}

}  // namespace

void WindowCellEditTest::editorKeepsWhatWasNotTyped_data() {
    QTest::addColumn<int>("col");  // pattern 1 holds 0.30000000000000004, 12345.125 and -1e-300
    QTest::addColumn<Opening>("opening");
    QTest::addColumn<QString>("typed");  // with "." for the separator; for Typing, the keys that open it
    QTest::addColumn<Closing>("closing");
    QTest::addColumn<QString>("startText");  // the editor's text once open, "." for the separator
    QTest::addColumn<double>("expected");

    const double third = 0.30000000000000004;
    const auto add = [](const char* name, int col, Opening opening, const char* typed, Closing closing,
                        const char* startText, double expected) {
        QTest::newRow(name) << col << opening << QString(typed) << closing << QString(startText) << expected;
    };
    add("F2, Return", 1, Opening::F2, "", Closing::Return, "0.3", third);
    add("F2, Tab", 1, Opening::F2, "", Closing::Tab, "0.3", third);
    add("F2, other window", 1, Opening::F2, "", Closing::OtherWindow, "0.3", third);
    add("double-click, Return", 1, Opening::DoubleClick, "", Closing::Return, "0.3", third);
    add("double-click, other cell", 1, Opening::DoubleClick, "", Closing::OtherCell, "0.3", third);
    add("grouped value, F2, entry field", 2, Opening::F2, "", Closing::EntryField, "12345.125", 12345.125);
    add("tiny value, double-click, Tab", 3, Opening::DoubleClick, "", Closing::Tab, "-1E-300", -1e-300);
    // The number the cell shows, retyped: nothing changed, nothing stored.
    add("shown value retyped", 1, Opening::Typing, "0.3", Closing::Return, "0", third);
    add("shown value retyped, other window", 1, Opening::Typing, "0.30", Closing::OtherWindow, "0", third);
    // What is typed goes in, whichever way the editor closes.
    add("typed, Tab", 2, Opening::Typing, "2-", Closing::Tab, "2", -2.0);
    add("typed, other cell", 3, Opening::Typing, "0.5", Closing::OtherCell, "0", 0.5);
    add("F2, digit appended", 1, Opening::F2, "5", Closing::Return, "0.3", 0.35);
}

void WindowCellEditTest::editorKeepsWhatWasNotTyped() {
    QFETCH(int, col);
    QFETCH(Opening, opening);
    QFETCH(QString, typed);
    QFETCH(Closing, closing);
    QFETCH(QString, startText);
    QFETCH(double, expected);
    WindowDriver driver;
    TForm1& form = driver.form();
    TFloatGrid& grid = *form.FloatGrid1;
    driver.CreateNetwork(2, 2, 1);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, CellCentre(grid, 1, 1));
    QApplication::clipboard()->setText("0.30000000000000004\t12345.125\t-1e-300\n4\t5\t6");
    QTest::keyClick(&grid, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(form.workState.NumeroPatrones, 2);

    const QPoint at = CellCentre(grid, col, 1);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, at);
    switch (opening) {
        case Opening::F2: QTest::keyClick(&grid, Qt::Key_F2); break;
        case Opening::DoubleClick: QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, at); break;
        case Opening::Typing:
            QTest::keyClick(&grid, driver.Regional(typed).at(0).toLatin1());
            typed.remove(0, 1);
            break;
    }
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor && editor->parent() != &form);
    QCOMPARE(editor->text(), driver.Regional(startText));
    if (opening != Opening::Typing) QTest::keyClick(editor, Qt::Key_End);
    QTest::keyClicks(editor, driver.Regional(typed));

    QWidget other;
    switch (closing) {
        case Closing::Return: QTest::keyClick(editor, Qt::Key_Return); break;
        case Closing::Tab: QTest::keyClick(editor, Qt::Key_Tab); break;
        case Closing::OtherCell: QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, CellCentre(grid, col, 2)); break;
        case Closing::EntryField: QTest::mouseClick(form.NKLabelFloat[1]->Edit(), Qt::LeftButton); break;
        case Closing::OtherWindow:
            other.show();
            QApplication::setActiveWindow(&other);
            QVERIFY(QTest::qWaitForWindowActive(&other));
            break;
    }
    // Return closes the editor once the key is handled.
    QTRY_VERIFY(!grid.findChild<QLineEdit*>());
    const double stored = col == 3 ? form.workState.SalidasPatrones[1][1] : form.workState.EntradasPatrones[1][col];
    QCOMPARE(std::bit_cast<std::uint64_t>(stored), std::bit_cast<std::uint64_t>(expected));
    QCOMPARE(driver.errors.messages, QStringList{});
}

QTEST_MAIN(WindowCellEditTest)
#include "window_cell_edit_test.moc"
