// SPDX-License-Identifier: GPL-3.0-or-later
// The pattern table fed and emptied by hand: cells edited in place, rows
// pasted from a spreadsheet, CSV files imported and exported.

#include "csv_patterns.h"
#include "error_chart.h"
#include "flat_spin_edit_integer.h"
#include "float_grid.h"
#include "main_window.h"
#include "window_driver.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <bit>
#include <cstdint>

class WindowPatternDataTest : public QObject {
    Q_OBJECT

private slots:
    void cellsOfStoredPatternsEditInPlace();
    void pasteChecksEveryCellBeforeTheTableChanges();
    void pasteGrowsTheTableUpToItsLimit();
    void refusedPasteSaysWhyAndChangesNothing_data();
    void refusedPasteSaysWhyAndChangesNothing();
    void oneRowPastedOverTheFirstKeepsTheRest();
    void exportThenImportGivesTheSameTableBitForBit();
    void importAsksBeforeReplacingAndRefusesBadFiles();
    void resultsGoOutAsTheyAreHeld();
    void chartKeepsThePreviousRunUntilCleared();
};

namespace {

// Brings grid cell (col, row) into view and clicks it.
void ClickCell(TFloatGrid& grid, int col, int row) {
    const QModelIndex cell = grid.model()->index(row - 1, col - 1);
    grid.scrollTo(cell);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(cell).center());
}

// The table's bits, pattern by pattern, inputs then outputs.
QList<std::uint64_t> TableBits(const TForm1& form) {
    QList<std::uint64_t> bits;
    for (int p = 1; p <= form.workState.NumeroPatrones; ++p) {
        for (int i = 1; i <= form.RedNeuronal1.NumeroEntradas(); ++i)
            bits << std::bit_cast<std::uint64_t>(form.workState.EntradasPatrones[p][i]);
        for (int k = 1; k <= form.RedNeuronal1.NeuronasCapaSalida(); ++k)
            bits << std::bit_cast<std::uint64_t>(form.workState.SalidasPatrones[p][k]);
    }
    return bits;
}

// A record as the program writes it: under ";" every field in quotes.
QString Record(const WindowDriver& driver, const QStringList& cells) {
    if (driver.separator() != QLatin1Char(',')) return cells.join(QLatin1Char(','));
    return '"' + cells.join(QStringLiteral("\";\"")) + '"';
}

void Paste(TFloatGrid& grid, const QString& text) {
    QApplication::clipboard()->setText(text);
    QTest::keyClick(&grid, Qt::Key_V, Qt::ControlModifier);
}

}  // namespace

void WindowPatternDataTest::cellsOfStoredPatternsEditInPlace() {
    WindowDriver driver;
    TForm1& form = driver.form();
    TFloatGrid& grid = *form.FloatGrid1;
    driver.CreateNetwork(12, 2, 1);
    driver.AddPattern({"1", "2"}, {"3"});
    driver.AddPattern({"4", "5"}, {"6"});

    // Input 12, which no entry field reaches: F2, the new value, Enter.
    ClickCell(grid, 12, 1);
    QTest::keyClick(&grid, Qt::Key_F2);
    QTest::keyClicks(QApplication::focusWidget(), driver.Regional("2.5"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_COMPARE(form.workState.EntradasPatrones[1][12], 2.5);  // stored once the key is handled
    QCOMPARE(grid.Cells(12, 1), driver.Regional("2.5"));

    // Typing starts the edit, the field's key rules hold (five integer
    // digits at most, one sign key), and leaving the cell stores it.
    ClickCell(grid, 13, 2);
    QTest::keyClick(&grid, Qt::Key_1);
    QTest::keyClicks(QApplication::focusWidget(), "234567-");
    ClickCell(grid, 1, 1);
    QCOMPARE(form.workState.SalidasPatrones[2][1], -12345.0);

    // Esc drops the edit.
    QTest::keyClick(&grid, Qt::Key_F2);
    QTest::keyClicks(QApplication::focusWidget(), "9");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCOMPARE(form.workState.EntradasPatrones[1][1], 1.0);
    QCOMPARE(grid.Cells(1, 1), QString("1"));

    // The zero row shown after "Eliminar Todos los Patrones" holds no pattern.
    driver.Click(form.SpeedButton6);
    ClickCell(grid, 1, 1);
    QTest::keyClicks(&grid, "7");
    QTest::keyClick(&grid, Qt::Key_F2);
    QVERIFY(!qobject_cast<QLineEdit*>(QApplication::focusWidget()));
    QCOMPARE(form.workState.EntradasPatrones[1][1], 1.0);
    QCOMPARE(grid.Cells(1, 1), QString("0"));
}

void WindowPatternDataTest::pasteChecksEveryCellBeforeTheTableChanges() {
    WindowDriver driver;
    TForm1& form = driver.form();
    TFloatGrid& grid = *form.FloatGrid1;
    driver.CreateNetwork(2, 2, 1);
    driver.AddPattern({"1", "2"}, {"3"});
    driver.AddPattern({"4", "5"}, {"6"});
    const QList<std::uint64_t> before = TableBits(form);

    ClickCell(grid, 1, 2);
    Paste(grid, "7\t8\t9\r\n1" + driver.Regional(".5") + "\t2\tabc\r\n");
    QCOMPARE(driver.errors.messages, QStringList{"Fila 2, columna 3: 'abc' no es un número válido."});
    QCOMPARE(TableBits(form), before);

    // Rows start at the selected one. The text has one decimal separator,
    // the regional one here (exportThenImport pastes with ".").
    Paste(grid, "7\t8\t9\r\n1" + driver.Regional(".5") + "\t" + driver.Regional("2.25") + "\t-3\r\n");
    QCOMPARE(form.workState.NumeroPatrones, 3);
    QCOMPARE(RowTexts(grid, 2), (QStringList{"", "7", "8", "9"}));
    QCOMPARE(RowTexts(grid, 3), (QStringList{"", driver.Regional("1.5"), driver.Regional("2.25"), "-3"}));
    QCOMPARE(form.Label3->text(), QString("Patrón 4"));

    // The context menu pastes too.
    ClickCell(grid, 2, 1);
    QApplication::clipboard()->setText("0\t0\t0");
    const QPoint at = grid.visualRect(grid.currentIndex()).center();
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, at, grid.viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid.viewport(), &menuEvent);
    auto* paste = grid.findChild<QAction*>("edit-paste");
    QVERIFY(paste);
    QCOMPARE(paste->text(), QString("Pegar"));
    paste->trigger();
    QCOMPARE(RowTexts(grid, 1), (QStringList{"", "0", "0", "0"}));
}

void WindowPatternDataTest::pasteGrowsTheTableUpToItsLimit() {
    WindowDriver driver;
    TForm1& form = driver.form();
    TFloatGrid& grid = *form.FloatGrid1;
    driver.CreateNetwork(1, 1, 1);
    QString hundred;
    for (int p = 1; p <= 100; ++p) hundred += QString("%1\t%2\n").arg(p).arg(-p);
    ClickCell(grid, 1, 1);
    Paste(grid, hundred);
    QCOMPARE(form.workState.NumeroPatrones, 100);
    QCOMPARE(grid.RowCount(), 101);
    QCOMPARE(form.workState.SalidasPatrones[100][1], -100.0);

    const QList<std::uint64_t> before = TableBits(form);
    ClickCell(grid, 1, 100);
    Paste(grid, "1\t1\n2\t2");
    QCOMPARE(driver.errors.messages, QStringList{"Máximo número de patrones 100."});
    QCOMPARE(TableBits(form), before);
}

void WindowPatternDataTest::refusedPasteSaysWhyAndChangesNothing_data() {
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("message");
    const QString tooLong = "El texto pegado es demasiado largo: la tabla admite como mucho 100 patrones.";
    QString rows;
    for (int p = 0; p < 10000; ++p) rows += "1\t2\t3\n";
    QTest::newRow("a word among numbers") << "0,5 abc 0,9" << "Fila 1, columna 2: 'abc' no es un número válido.";
    QTest::newRow("nothing") << "" << "No hay ningún patrón.";
    QTest::newRow("a header alone") << "Entrada1\tEntrada2\tSalida1"
                                    << "Fila 1 es una cabecera y no le sigue ningún patrón.";
    QTest::newRow("more than the table holds") << QString(static_cast<qsizetype>(kMaxPastedText) + 1, '1')
                                               << tooLong;
    QTest::newRow("a 10 MB line") << QString(10 << 20, '7') << tooLong;
    QTest::newRow("10 000 rows") << rows << "Máximo número de patrones 100.";
    QTest::newRow("control characters") << QString("\x01\x02") + "abc\t1\t2"
                                        << "Fila 1, columna 1: '  abc' no es un número válido.";
    QTest::newRow("a NUL byte") << QString("1\t2\t3\n4\t") + QChar(0) + "\t5" << "Fila 2: el texto tiene un byte nulo.";
    QTest::newRow("a long cell") << "1\t2\t" + QString(300, 'x')
                                 << "Fila 1, columna 3: '" + QString(40, 'x') + "\u2026' no es un número válido.";
}

// Every refused paste names the first bad cell or what does not fit, in a
// short message, and the table stays as it was.
void WindowPatternDataTest::refusedPasteSaysWhyAndChangesNothing() {
    QFETCH(QString, clipboard);
    QFETCH(QString, message);
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.CreateNetwork(2, 2, 1);
    driver.AddPattern({"1", "2"}, {"3"});
    const QList<std::uint64_t> before = TableBits(form);
    ClickCell(*form.FloatGrid1, 1, 1);
    Paste(*form.FloatGrid1, clipboard);
    QCOMPARE(driver.errors.messages, QStringList{message});
    QCOMPARE(TableBits(form), before);
}

void WindowPatternDataTest::oneRowPastedOverTheFirstKeepsTheRest() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.CreateNetwork(2, 2, 1);
    for (const char* value : {"1", "2", "3"}) driver.AddPattern({value, value}, {value});
    ClickCell(*form.FloatGrid1, 2, 1);
    Paste(*form.FloatGrid1, "7\t8\t9\r\n");
    QCOMPARE(form.workState.NumeroPatrones, 3);
    QCOMPARE(RowTexts(*form.FloatGrid1, 1), (QStringList{"", "7", "8", "9"}));
    QCOMPARE(RowTexts(*form.FloatGrid1, 3), (QStringList{"", "3", "3", "3"}));
    QCOMPARE(driver.errors.messages, QStringList{});
}

void WindowPatternDataTest::exportThenImportGivesTheSameTableBitForBit() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.CreateNetwork(2, 2, 1);
    ClickCell(*form.FloatGrid1, 1, 1);
    // Values with more digits than the grid shows, pasted with ".".
    Paste(*form.FloatGrid1, "0.1\t0.30000000000000004\t-1e-300\n123456789.125\t5e-324\t2.5e20");
    const QList<std::uint64_t> table = TableBits(form);

    driver.dialogs.answers << driver.Path("patrones.csv");
    driver.Click(form.exportCsv);
    QCOMPARE(driver.dialogs.asked.last().filter, QString("*.csv"));
    const QByteArray bytes = driver.ReadFile(driver.Path("patrones.csv"));
    QVERIFY(bytes.startsWith((Record(driver, {"Entrada1", "Entrada2", "Salida1"}) + "\r\n").toUtf8()));
    QVERIFY(bytes.contains(driver.Regional("0.30000000000000004").toUtf8()));

    driver.Click(form.SpeedButton6);
    driver.dialogs.answers << driver.Path("patrones.csv");
    driver.Click(form.importCsv);
    QCOMPARE(driver.notices.questions, QStringList{});  // the table was empty
    QCOMPARE(TableBits(form), table);
    QCOMPARE(form.FloatGrid1->RowCount(), 3);
    QCOMPARE(driver.errors.messages, QStringList{});
}

void WindowPatternDataTest::importAsksBeforeReplacingAndRefusesBadFiles() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.CreateNetwork(1, 1, 1);
    driver.AddPattern({"1"}, {"2"});
    const QList<std::uint64_t> before = TableBits(form);
    const QString good = driver.Path("bien.csv");
    {
        QFile file(good);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("x;y\r\n3;4\r\n5;6\r\n");
    }
    driver.dialogs.answers << good;
    driver.Click(form.importCsv);
    QCOMPARE(driver.notices.questions,
             QStringList{"La tabla tiene 1 patrones. ¿Sustituirlos por los 2 del fichero?"});
    QCOMPARE(TableBits(form), before);

    driver.notices.answers << true;
    driver.dialogs.answers << good;
    driver.Click(form.importCsv);
    QCOMPARE(form.workState.NumeroPatrones, 2);
    QCOMPARE(form.workState.SalidasPatrones[2][1], 6.0);
    QCOMPARE(form.Label3->text(), QString("Patrón 3"));

    const QString bad = driver.Path("mal.csv");
    {
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("1;2\r\n3\r\n");
    }
    const QList<std::uint64_t> imported = TableBits(form);
    driver.dialogs.answers << bad;
    driver.Click(form.importCsv);
    QCOMPARE(driver.errors.messages,
             QStringList{"Fila 2: tiene 1 columnas y la red necesita 2 (1 entradas y 1 salidas)"});
    QCOMPARE(TableBits(form), imported);
}

// Weights and the error series from the training tab's "Exportar CSV" menu.
void WindowPatternDataTest::resultsGoOutAsTheyAreHeld() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.PrepareXor();
    driver.TypeInto(form.FlatSpinEditInteger4, "500");
    driver.Click(form.SpeedButton7);

    driver.dialogs.answers << driver.Path("pesos.csv");
    form.exportWeightsCsv->trigger();
    const QStringList weights = QString::fromUtf8(driver.ReadFile(driver.Path("pesos.csv"))).split("\r\n");
    QCOMPARE(weights.size(), 1 + 2 * 3 + 1 * 3 + 1);  // the last break ends the last record
    QCOMPARE(weights[0], Record(driver, {"Capa", "Neurona", "Índice (0: sesgo, w0)", "Peso"}));
    QVERIFY(weights[9].startsWith(Record(driver, {"Salida", "1", "2"})));

    driver.dialogs.answers << driver.Path("serie.csv");
    form.exportSeriesCsv->trigger();
    const QStringList series = QString::fromUtf8(driver.ReadFile(driver.Path("serie.csv"))).split("\r\n");
    QCOMPARE(series.size(), 1 + 500 + 1);
    QCOMPARE(series[0], Record(driver, {"Iteración", "Error (%) de cada iteración"}));
    // Iterations count from 1, as the tab's counter does.
    const auto iteration = [&](const QString& number) {
        const QString record = Record(driver, {number, "@"});
        return record.left(record.indexOf('@'));
    };
    QVERIFY(series[1].startsWith(iteration("1")));
    QVERIFY(series[500].startsWith(iteration("500")));
    QCOMPARE(driver.errors.messages, QStringList{});
}

void WindowPatternDataTest::chartKeepsThePreviousRunUntilCleared() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.PrepareXor();
    QVERIFY(!form.keepCurve->isChecked() && !form.logScale->isChecked());
    driver.TypeInto(form.FlatSpinEditInteger4, "300");
    driver.Click(form.SpeedButton7);
    driver.Click(form.SpeedButton7);
    QCOMPARE(form.Chart1->Store().Count(), 600);  // by default runs follow one another
    QCOMPARE(form.Chart1->KeptStore().Count(), 0);

    form.keepCurve->trigger();
    form.logScale->trigger();
    QVERIFY(form.Chart1->Logarithmic());
    driver.TypeInto(form.FlatSpinEditInteger4, "200");
    driver.Click(form.SpeedButton7);
    QCOMPARE(form.Chart1->KeptStore().Count(), 600);
    QCOMPARE(form.Chart1->Store().Count(), 200);

    // A continued run lies after the kept one, at its true iterations.
    QCOMPARE(form.Chart1->FirstIteration(), 600);

    // Kept through "Reiniciar", so that two fresh runs compare; the run
    // after it starts again at iteration 0.
    driver.Click(form.SpeedButton8);
    QCOMPARE(form.Chart1->KeptStore().Count(), 600);
    QCOMPARE(form.Chart1->Store().Count(), 0);
    driver.Click(form.SpeedButton7);
    QCOMPARE(form.Chart1->FirstIteration(), 0);
    QCOMPARE(form.Chart1->Store().Count(), 1);
    form.clearKeptCurve->trigger();
    QCOMPARE(form.Chart1->KeptStore().Count(), 0);
    QCOMPARE(form.Chart1->Store().Count(), 1);
}

QTEST_MAIN(WindowPatternDataTest)
#include "window_pattern_data_test.moc"
