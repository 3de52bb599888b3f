// SPDX-License-Identifier: GPL-3.0-or-later
// The pattern table's undo history: every change the user makes to the
// table undoes and redoes bit for bit, by keys or by the grid's menu, and
// the history starts again with a new network or a load.

#include "flat_spin_edit_integer.h"
#include "float_grid.h"
#include "main_window.h"
#include "window_driver.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QTest>

class WindowPatternHistoryTest : public QObject {
    Q_OBJECT
private slots:
    void everyChangeUndoesAndRedoesBitForBit_data();
    void everyChangeUndoesAndRedoesBitForBit();
    void historyHoldsOnlyChangesSinceTheNetworkCame_data();
    void historyHoldsOnlyChangesSinceTheNetworkCame();
};

namespace {

enum class Change { CellEdit, OverwritingPaste, PastePastTheEnd, Import, Add, Delete, DeleteAll };
enum class Way { Keys, OtherKeys, Menu };

// What is kept of the table and what the grid shows of it: every bit of
// both tables (rows past the count too), the count, the header and the
// patterns' rows.
struct TableState {
    QByteArray bits;
    int count = 0;
    QList<QStringList> rows;
    bool operator==(const TableState&) const = default;
};

TableState Capture(TForm1& form) {
    TableState state;
    const WorkState& work = form.workState;
    state.bits = QByteArray(reinterpret_cast<const char*>(&work.EntradasPatrones), sizeof work.EntradasPatrones) +
                 QByteArray(reinterpret_cast<const char*>(&work.SalidasPatrones), sizeof work.SalidasPatrones);
    state.count = work.NumeroPatrones;
    for (int row = 0; row <= work.NumeroPatrones; ++row) state.rows << RowTexts(*form.FloatGrid1, row);
    return state;
}

void ClickCell(TFloatGrid& grid, int col, int row) {
    const QModelIndex cell = grid.model()->index(row - 1, col - 1);
    grid.scrollTo(cell);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(cell).center());
}

void Paste(TFloatGrid& grid, const QString& text) {
    QApplication::clipboard()->setText(text);
    QTest::keyClick(&grid, Qt::Key_V, Qt::ControlModifier);
}

// Picks `action` from the grid's context menu.
void FromMenu(TFloatGrid& grid, QAction* action) {
    const QPoint at = grid.viewport()->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, grid.viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid.viewport(), &event);
    auto* menu = grid.findChild<QMenu*>();
    QVERIFY(menu && menu->actions().contains(action));
    action->trigger();
    menu->close();
}

void Undo(TForm1& form, Way way) {
    TFloatGrid& grid = *form.FloatGrid1;
    grid.setFocus();
    if (way == Way::Menu) FromMenu(grid, form.undoPatternChange);
    else QTest::keyClick(&grid, Qt::Key_Z, Qt::ControlModifier);
}

void Redo(TForm1& form, Way way) {
    TFloatGrid& grid = *form.FloatGrid1;
    grid.setFocus();
    if (way == Way::Menu) FromMenu(grid, form.redoPatternChange);
    else if (way == Way::Keys) QTest::keyClick(&grid, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    else QTest::keyClick(&grid, Qt::Key_Y, Qt::ControlModifier);
}

}  // namespace

void WindowPatternHistoryTest::everyChangeUndoesAndRedoesBitForBit_data() {
    QTest::addColumn<Change>("change");
    QTest::addColumn<Way>("way");
    QTest::addColumn<QString>("undoText");
    const auto add = [](const char* name, Change change, Way way, const char* undoText) {
        QTest::newRow(name) << change << way << QString(undoText);
    };
    add("cell edit", Change::CellEdit, Way::Keys, "Deshacer Editar celda");
    add("paste over row 1 of 3", Change::OverwritingPaste, Way::Keys, "Deshacer Pegar");
    add("paste past the end", Change::PastePastTheEnd, Way::Menu, "Deshacer Pegar");
    add("import", Change::Import, Way::OtherKeys, "Deshacer Importar CSV");
    add("add", Change::Add, Way::Keys, "Deshacer Añadir Patrón");
    add("delete", Change::Delete, Way::Menu, "Deshacer Eliminar Patrón");
    add("delete all", Change::DeleteAll, Way::OtherKeys, "Deshacer Eliminar Todos los Patrones");
}

void WindowPatternHistoryTest::everyChangeUndoesAndRedoesBitForBit() {
    QFETCH(Change, change);
    QFETCH(Way, way);
    QFETCH(QString, undoText);
    WindowDriver driver;
    TForm1& form = driver.form();
    TFloatGrid& grid = *form.FloatGrid1;
    driver.CreateNetwork(2, 2, 1);
    // Values the grid shows shorter than they are, and a -0.
    ClickCell(grid, 1, 1);
    Paste(grid, "0.30000000000000004\t-0\t1e-300\n4\t5\t6\n7\t8\t9");
    QCOMPARE(form.workState.NumeroPatrones, 3);
    const TableState before = Capture(form);

    switch (change) {
        case Change::CellEdit:
            ClickCell(grid, 2, 2);
            QTest::keyClick(&grid, Qt::Key_1);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QTRY_COMPARE(form.workState.EntradasPatrones[2][2], 1.0);
            break;
        case Change::OverwritingPaste:
            ClickCell(grid, 1, 1);
            Paste(grid, "1\t2\t3");
            QCOMPARE(form.workState.NumeroPatrones, 3);
            break;
        case Change::PastePastTheEnd:
            ClickCell(grid, 1, 3);
            Paste(grid, "1\t2\t3\n-1\t-2\t-3");
            QCOMPARE(form.workState.NumeroPatrones, 4);
            break;
        case Change::Import: {
            const QString path = driver.WriteFile("nuevos.csv", {"1;2;3", "4;4;4"});
            driver.dialogs.answers << path;
            driver.notices.answers << true;
            driver.Click(form.importCsv);
            QCOMPARE(form.workState.NumeroPatrones, 2);
            break;
        }
        case Change::Add:
            driver.AddPattern({"0.5", "0.25"}, {"1"});
            QCOMPARE(form.workState.NumeroPatrones, 4);
            break;
        case Change::Delete:
            driver.TypeInto(form.FlatSpinEditInteger8, "1");
            driver.Click(form.SpeedButton5);
            QCOMPARE(form.workState.NumeroPatrones, 2);
            break;
        case Change::DeleteAll:
            driver.Click(form.SpeedButton6);
            QCOMPARE(form.workState.NumeroPatrones, 0);
            break;
    }
    QCOMPARE(driver.errors.messages, QStringList{});
    const TableState after = Capture(form);
    QVERIFY(after != before);
    QCOMPARE(form.undoPatternChange->text(), undoText);

    Undo(form, way);
    QCOMPARE(Capture(form), before);
    QCOMPARE(form.Label3->text(), "Patrón 4");
    Redo(form, way);
    QCOMPARE(Capture(form), after);
    // Back and forth again, and the paste that made the table undoes too.
    Undo(form, way);
    QCOMPARE(Capture(form), before);
    Undo(form, way);
    QCOMPARE(form.workState.NumeroPatrones, 0);
    QVERIFY(!form.undoPatternChange->isEnabled());
    Redo(form, way);
    Redo(form, way);
    QCOMPARE(Capture(form), after);
}

namespace {

enum class Start { NewNetwork, Load, RefusedPaste, UnchangedCell };

}  // namespace

void WindowPatternHistoryTest::historyHoldsOnlyChangesSinceTheNetworkCame_data() {
    QTest::addColumn<Start>("start");
    QTest::newRow("new network") << Start::NewNetwork;
    QTest::newRow("load") << Start::Load;
    QTest::newRow("refused paste") << Start::RefusedPaste;
    QTest::newRow("cell left as it was") << Start::UnchangedCell;
}

void WindowPatternHistoryTest::historyHoldsOnlyChangesSinceTheNetworkCame() {
    QFETCH(Start, start);
    WindowDriver driver;
    TForm1& form = driver.form();
    TFloatGrid& grid = *form.FloatGrid1;
    driver.CreateNetwork(1, 1, 1);
    driver.AddPattern({"1"}, {"2"});
    driver.AddPattern({"3"}, {"4"});
    QVERIFY(form.undoPatternChange->isEnabled());
    // The earlier changes undone, so that a history left over would also redo.
    Undo(form, Way::Keys);
    QVERIFY(form.redoPatternChange->isEnabled());

    switch (start) {
        case Start::NewNetwork:
            driver.CreateNetwork(1, 1, 1);
            break;
        case Start::Load:
            driver.WriteFile("dos.rna", {"1", "1", "1", "0", "0", "1", "5", "6"});
            driver.dialogs.answers << driver.WriteFile("dos.ren", {"1", "1", "1", "0", "0", "0.5", "0.5", "0.5", "0.5"});
            driver.ShowTab(form.TabSheet1);
            driver.Click(form.SpeedButton10);
            break;
        case Start::RefusedPaste:
            ClickCell(grid, 1, 1);
            Paste(grid, "5\tabc");
            QCOMPARE(driver.errors.messages.size(), 1);
            Undo(form, Way::Keys);  // the add that remains
            break;
        case Start::UnchangedCell:
            ClickCell(grid, 1, 1);
            QTest::keyClick(&grid, Qt::Key_F2);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QTRY_VERIFY(!grid.findChild<QLineEdit*>());
            Undo(form, Way::Keys);
            break;
    }
    const TableState now = Capture(form);
    QVERIFY(!form.undoPatternChange->isEnabled());
    QCOMPARE(form.redoPatternChange->isEnabled(), start == Start::RefusedPaste || start == Start::UnchangedCell);
    driver.ShowTab(form.TabSheet2);
    Undo(form, Way::Keys);
    QCOMPARE(Capture(form), now);
}

QTEST_MAIN(WindowPatternHistoryTest)
#include "window_pattern_history_test.moc"
