// SPDX-License-Identifier: GPL-3.0-or-later
// The names of the inputs and outputs: typed over the pattern grid's
// headers, read from a CSV file's header, written into an export's header
// and shown by "Ejecución" and "Red", with the class "Ejecución" names.

#include "csv_patterns.h"
#include "float_grid.h"
#include "main_window.h"
#include "network_diagram.h"
#include "network_files.h"
#include "rna_file.h"
#include "window_driver.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QUndoStack>

class WindowNamesTest : public QObject {
    Q_OBJECT

private slots:
    void typedNameRenamesTheColumn_data();
    void typedNameRenamesTheColumn();
    void csvHeaderNamesTheColumns_data();
    void csvHeaderNamesTheColumns();
    void exportHeaderCarriesTheNames();
    void namesShowInExecutionAndNetwork();
    void executionNamesTheClass_data();
    void executionNamesTheClass();
};

namespace {

// Opens the editor over the header of grid column `col` (a double click, or
// "Renombrar columna…" of the header's menu), puts `text` in it and presses `key`.
void TypeHeader(TFloatGrid& grid, int col, const QString& text, Qt::Key key = Qt::Key_Return, bool menu = false) {
    QHeaderView* header = grid.horizontalHeader();
    const QPoint at(header->sectionViewportPosition(col - 1) + header->sectionSize(col - 1) / 2, header->height() / 2);
    if (menu) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, header->viewport()->mapToGlobal(at));
        QApplication::sendEvent(header->viewport(), &event);
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(popup);
        auto* rename = popup->findChild<QAction*>("renameColumn");
        QVERIFY(rename);
        QCOMPARE(rename->text(), QString("Renombrar columna…"));
        // Chosen as a click would: the menu closes, then the entry runs.
        popup->close();
        rename->trigger();
    } else {
        QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, at);
    }
    // An editor closed before waits hidden to be deleted.
    QLineEdit* editor = nullptr;
    for (QLineEdit* open : grid.findChildren<QLineEdit*>("columnNameEditor"))
        if (open->isVisible()) editor = open;
    QVERIFY(editor);
    editor->selectAll();
    editor->insert(text);
    QTest::keyClick(editor, key);
    QCoreApplication::processEvents();
}

// The names line by line as a saved untrained file would hold them.
std::vector<std::string> SavedLines(TForm1& form) {
    return RnaLines(form.RedNeuronal1, PatternsToSave(form.workState, form.RedNeuronal1),
                    BlocksToSave(form.workState, form.RedNeuronal1, form.RedNeuronal1.Learning()), 0, 0, '.');
}

bool SavedFileHolds(TForm1& form, const std::string& line) {
    const std::vector<std::string> lines = SavedLines(form);
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

}  // namespace

void WindowNamesTest::typedNameRenamesTheColumn_data() {
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("error");
    QTest::addColumn<bool>("unsaved");
    QTest::addColumn<bool>("menu");

    QTest::newRow("good input name") << 2 << "Pétalo (cm)"
                                     << "Pétalo (cm)" << "" << true << false;
    QTest::newRow("good output name") << 3 << "setosa"
                                      << "setosa" << "" << true << false;
    QTest::newRow("through the header's menu") << 3 << "virginica"
                                               << "virginica" << "" << true << true;
    QTest::newRow("forty characters") << 1 << QString(40, QChar(0x00E9)) << QString(40, QChar(0x00E9)) << "" << true
                                      << false;
    QTest::newRow("too long") << 1 << QString(41, 'a') << "Ancho"
                              << "Un nombre tiene como mucho 40 caracteres y este tiene 41." << false << false;
    QTest::newRow("tab") << 1 << "a\tb"
                         << "Ancho"
                         << "Un nombre no puede tener tabuladores." << false << false;
    QTest::newRow("empty gives the default back") << 1 << ""
                                                  << "Entrada 1" << "" << true << false;
}

void WindowNamesTest::typedNameRenamesTheColumn() {
    QFETCH(int, col);
    QFETCH(QString, typed);
    QFETCH(QString, header);
    QFETCH(QString, error);
    QFETCH(bool, unsaved);
    QFETCH(bool, menu);
    WindowDriver driver;
    TForm1& form = driver.form();
    TFloatGrid& grid = *form.FloatGrid1;
    driver.CreateNetwork(2, 2, 1);
    driver.AddPattern({"1", "2"}, {"3"});
    TypeHeader(grid, 1, "Ancho");
    form.workState.unsaved.patterns = false;
    auto* history = form.findChild<QUndoStack*>();
    const int steps = history->count();
    const QString before = grid.Cells(col, 0);

    TypeHeader(grid, col, typed, Qt::Key_Return, menu);
    QCOMPARE(driver.errors.messages, error.isEmpty() ? QStringList{} : QStringList{error});
    QCOMPARE(grid.Cells(col, 0), header);
    QCOMPARE(form.workState.unsaved.patterns, unsaved);
    QCOMPARE(history->count(), steps + (unsaved ? 1 : 0));
    const std::string name = typed.toStdString();
    if (!name.empty()) QCOMPARE(SavedFileHolds(form, name), unsaved);
    if (!unsaved || menu) return;

    // Undo gives the name before back; redo the new one; Escape leaves it.
    QTest::keyClick(&grid, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(grid.Cells(col, 0), before);
    QTest::keyClick(&grid, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(grid.Cells(col, 0), header);
    TypeHeader(grid, col, "otro", Qt::Key_Escape);
    QCOMPARE(grid.Cells(col, 0), header);
    QCOMPARE(history->count(), steps + 1);
}

void WindowNamesTest::csvHeaderNamesTheColumns_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("headers");
    QTest::addColumn<QStringList>("notes");

    QTest::newRow("header") << QStringList{"Largo;Ancho;setosa", "1;2;3"} << QStringList{"Largo", "Ancho", "setosa"}
                            << QStringList{};
    QTest::newRow("long cell cut, noted")
        << QStringList{"Largo;" + QString(45, 'b') + ";setosa", "1;2;3"}
        << QStringList{"Largo", QString(40, 'b'), "setosa"}
        << QStringList{"Columna 2: el nombre se ha cortado a 40 caracteres"};
    QTest::newRow("no header keeps the names") << QStringList{"1;2;3"} << QStringList{"Largo", "Entrada 2", "Salida 1"}
                                               << QStringList{};
}

void WindowNamesTest::csvHeaderNamesTheColumns() {
    QFETCH(QStringList, lines);
    QFETCH(QStringList, headers);
    QFETCH(QStringList, notes);
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.CreateNetwork(2, 2, 1);
    TypeHeader(*form.FloatGrid1, 1, "Largo");
    driver.dialogs.answers << driver.WriteFile("patterns.csv", lines);
    driver.Click(form.importCsv);
    QCOMPARE(driver.errors.messages, QStringList{});
    QCOMPARE(RowTexts(*form.FloatGrid1, 0).mid(1), headers);
    QCOMPARE(driver.notices.messages, notes);
    QCOMPARE(form.workState.NumeroPatrones, 1);
    // The import and its names are one step back.
    QTest::keyClick(form.FloatGrid1, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(RowTexts(*form.FloatGrid1, 0).mid(1), (QStringList{"Largo", "Entrada 2", "Salida 1"}));
    QCOMPARE(form.workState.NumeroPatrones, 0);
}

void WindowNamesTest::exportHeaderCarriesTheNames() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.CreateNetwork(2, 2, 2);
    driver.AddPattern({"1", "2"}, {"3", "4"});
    TypeHeader(*form.FloatGrid1, 2, "Ancho; \"cm\"");
    TypeHeader(*form.FloatGrid1, 3, "sí");
    const QString path = driver.Path("out.csv");
    driver.dialogs.answers << path;
    driver.Click(form.exportCsv);
    const QByteArray bytes = driver.ReadFile(path);
    const QByteArray header = driver.separator() == QLatin1Char(',')
                                  ? "\"Entrada1\";\"Ancho; \"\"cm\"\"\";\"sí\";\"Salida2\"\r\n"
                                  : "Entrada1,Ancho; \"cm\",sí,Salida2\r\n";
    QCOMPARE(bytes.left(bytes.indexOf('\n') + 1), header);
}

void WindowNamesTest::namesShowInExecutionAndNetwork() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.CreateNetwork(2, 2, 1);
    driver.AddPattern({"1", "2"}, {"3"});
    TypeHeader(*form.FloatGrid1, 2, "Ancho del pétalo");
    TypeHeader(*form.FloatGrid1, 3, "setosa");

    driver.ShowTab(form.TabSheet4);
    QCOMPARE(form.FloatGrid4->DrawnText(0, 1), QString("Entrada 1"));
    QCOMPARE(form.FloatGrid4->DrawnText(0, 2), QString("Ancho del pétalo"));
    QCOMPARE(form.FloatGrid5->DrawnText(0, 1), QString("setosa"));
    // The names have room beside the values.
    QVERIFY(form.FloatGrid4->verticalHeader()->width() >=
            form.FloatGrid4->verticalHeader()->fontMetrics().horizontalAdvance("Ancho del pétalo"));

    driver.ShowTab(form.TabSheet6);
    auto* views = form.findChild<QTabWidget*>("learningViews");
    QTest::mouseClick(views->tabBar(), Qt::LeftButton, {},
                      views->tabBar()->tabRect(views->indexOf(form.findChild<NetworkDiagram*>())).center());
    auto* chooser = form.findChild<QComboBox*>("neuronFilter");
    QVERIFY(chooser->findText("Ancho del pétalo") >= 0);
    QVERIFY(chooser->findText("setosa") >= 0);

    // A new network's columns have their default names again.
    driver.CreateNetwork(2, 2, 1);
    QCOMPARE(RowTexts(*form.FloatGrid1, 0), (QStringList{"Patrón", "Entrada 1", "Entrada 2", "Salida 1"}));
    driver.ShowTab(form.TabSheet4);
    QCOMPARE(form.FloatGrid4->DrawnText(0, 2), QString("2"));
}

void WindowNamesTest::executionNamesTheClass_data() {
    QTest::addColumn<int>("outputs");
    QTest::addColumn<QList<QStringList>>("expected");
    QTest::addColumn<bool>("named");
    QTest::addColumn<int>("winner");
    QTest::addColumn<QString>("label");

    const QList<QStringList> irisLike{{"1", "0", "0"}, {"0", "1", "0"}, {"0", "0", "1"}};
    QTest::newRow("named species, third wins") << 3 << irisLike << true << 3 << "Clase: virginica";
    QTest::newRow("named species, first wins") << 3 << irisLike << true << 1 << "Clase: setosa";
    QTest::newRow("default names") << 3 << irisLike << false << 2 << "Clase: Salida 2";
    QTest::newRow("a tie is no class") << 3 << QList<QStringList>{{"1", "1", "0"}, {"0", "0", "1"}} << true << 3 << "";
    QTest::newRow("one output, two values, high side")
        << 1 << QList<QStringList>{{"0.1"}, {"0.9"}} << false << 1 << "Clase: Salida 1 = 0.9";
    QTest::newRow("one output, two values, low side")
        << 1 << QList<QStringList>{{"0.1"}, {"0.9"}, {"0.1"}} << false << 0 << "Clase: Salida 1 = 0.1";
    QTest::newRow("one output, three values") << 1 << QList<QStringList>{{"0.1"}, {"0.5"}, {"0.9"}} << false << 1 << "";
}

void WindowNamesTest::executionNamesTheClass() {
    QFETCH(int, outputs);
    QFETCH(QList<QStringList>, expected);
    QFETCH(bool, named);
    QFETCH(int, winner);
    QFETCH(QString, label);
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.CreateNetwork(4, 2, outputs);
    for (const QStringList& row : expected) driver.AddPattern({"5.1", "3.5", "1.4", "0.2"}, row);
    if (named) {
        const QStringList species{"setosa", "versicolor", "virginica"};
        for (int k = 1; k <= outputs; ++k) TypeHeader(*form.FloatGrid1, 4 + k, species[k - 1]);
    }
    // Only the bias weights count: output `winner` gets a large y, the others
    // a small one (the bias input is −1).
    for (int k = 1; k <= outputs; ++k) {
        auto& weights = form.RedNeuronal1.CapaSalida.Neuronas[k].Pesos;
        for (int j = 1; j <= 2; ++j) weights[static_cast<std::size_t>(j)] = 0;
        weights[0] = k == winner ? -5 : 5;
    }
    driver.ShowTab(form.TabSheet4);
    QCOMPARE(form.executionClass->text(), QString());
    driver.Click(form.SpeedButton9);
    QCOMPARE(driver.errors.messages, QStringList{});
    QCOMPARE(form.executionClass->text(), driver.Regional(label));
    // Leaving the tab forgets the outputs, and the class with them.
    driver.ShowTab(form.TabSheet2);
    driver.ShowTab(form.TabSheet4);
    QCOMPARE(form.executionClass->text(), QString());
}

QTEST_MAIN(WindowNamesTest)
#include "window_names_test.moc"
