// SPDX-License-Identifier: GPL-3.0-or-later
// Typing patterns, deleting one, and the untrained and trained network files
// saved and loaded through the window, dialogs answered by the test.

#include "error_chart.h"
#include "flat_combo_box.h"
#include "flat_spin_edit_float.h"
#include "flat_spin_edit_integer.h"
#include "float_grid.h"
#include "main_window.h"
#include "nk_label_float.h"
#include "window_driver.h"

#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTest>

class WindowFilesTest : public QObject {
    Q_OBJECT

private slots:
    void xorPatternsTypedDeletedSavedAndLoadedBack();
    void eachButtonAsksItsOwnDialog_data();
    void eachButtonAsksItsOwnDialog();
    void trainedFileWithCompanionTakesWeightsAndPatterns();
    void trainedFileWithoutCompanionKeepsThePatterns();
    void companionOfAnotherTopologyIsReportedAndLeftOut();
    void savingTheTrainedNetworkWritesItsWeightsOnly();
    void failedLoadChangesNothing_data();
    void failedLoadChangesNothing();
    void onlyASuccessfulSaveOrLoadRemembersItsFolder();
};

namespace {

// One pattern row of the pattern grid as the window shows it.
QStringList Row(const WindowDriver& driver, const QStringList& values) {
    QStringList row{""};
    for (const QString& value : values) row << driver.Regional(value);
    return row;
}

// A 1-1-1 identity network whose output is its input.
const QStringList kIdentityRen{"1", "1", "1", "0", "2", "0", "1", "0", "1"};

}  // namespace

void WindowFilesTest::xorPatternsTypedDeletedSavedAndLoadedBack() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.CreateNetwork(2, 2, 1);
    driver.AddPattern({"0", "0"}, {"0.1"});
    driver.AddPattern({"0", "1"}, {"0.9"});
    driver.AddPattern({"1", "0"}, {"0.9"});
    driver.AddPattern({"1", "1"}, {"0.1"});
    QCOMPARE(form.Label3->text(), QString("Patrón 5"));
    QCOMPARE(form.FloatGrid1->RowCount(), 5);
    QCOMPARE(RowTexts(*form.FloatGrid1, 0), (QStringList{"Patrón", "Entrada 1", "Entrada 2", "Salida 1"}));
    QCOMPARE(RowTexts(*form.FloatGrid1, 2), Row(driver, {"0", "1", "0.9"}));
    QCOMPARE(form.FlatSpinEditInteger8->MaxValue(), 4);
    QCOMPARE(form.NKLabelFloat[11]->Value(), 0.0L);

    driver.TypeInto(form.FlatSpinEditInteger8, "2");
    driver.Click(form.SpeedButton5);
    QCOMPARE(form.Label3->text(), QString("4"));
    QCOMPARE(form.FloatGrid1->RowCount(), 4);
    QCOMPARE(RowTexts(*form.FloatGrid1, 1), Row(driver, {"0", "0", "0.1"}));
    QCOMPARE(RowTexts(*form.FloatGrid1, 2), Row(driver, {"1", "0", "0.9"}));
    QCOMPARE(RowTexts(*form.FloatGrid1, 3), Row(driver, {"1", "1", "0.1"}));
    QCOMPARE(form.FlatSpinEditInteger8->Value(), 0);
    QCOMPARE(form.FlatSpinEditInteger8->MaxValue(), 3);

    const QString path = driver.Path("xor.rna");
    driver.dialogs.answers << path;
    driver.Click(form.SpeedButton4);
    QCOMPARE(form.windowTitle(), QString("PerceptLab xor.rna"));
    QCOMPARE(driver.ReadFile(path),
             driver.Bytes({"2", "2", "1", "0", "0", "3", "0", "0", "1", "0", "1", "1", "0.1", "0.9", "0.1"}));

    driver.CreateNetwork(3, 3, 3);
    driver.ShowTab(form.TabSheet1);
    driver.dialogs.answers << path;
    driver.Click(form.SpeedButton2);
    QVERIFY(driver.errors.messages.isEmpty());
    QCOMPARE(form.windowTitle(), QString("Perceptlab xor"));
    QCOMPARE(form.PageControl1->currentWidget(), form.TabSheet3);
    QCOMPARE(form.FlatSpinEditInteger1->Value(), 2);
    QCOMPARE(form.FlatSpinEditInteger3->Value(), 1);
    QCOMPARE(form.FlatComboBox2->ItemIndex(), 0);
    QCOMPARE(form.RedNeuronal1.NumeroEntradas(), 2);
    QCOMPARE(form.Label3->text(), QString("Patrón 4"));
    QCOMPARE(form.FloatGrid1->ColCount(), 4);
    QCOMPARE(RowTexts(*form.FloatGrid1, 3), Row(driver, {"1", "1", "0.1"}));
    QVERIFY(form.NKLabelFloat[2]->isEnabled());
    QVERIFY(!form.NKLabelFloat[3]->isEnabled());
    QVERIFY(!form.NKLabelFloat[12]->isEnabled());
    // The training tab was shown: its output grids fit the loaded network.
    QCOMPARE(form.FloatGrid3->RowCount(), 2);
    QCOMPARE(form.FloatGrid3->Cells(0, 1), QString("Salida 1"));
}

void WindowFilesTest::eachButtonAsksItsOwnDialog_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("tab");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<bool>("save");
    QTest::addColumn<QString>("filter");
    QTest::newRow("load untrained") << "SpeedButton2" << "TabSheet1" << "OpenDialog1" << false << "*.rna";
    QTest::newRow("load trained") << "SpeedButton10" << "TabSheet1" << "OpenDialog2" << false << "*.ren";
    QTest::newRow("save untrained") << "SpeedButton4" << "TabSheet2" << "SaveDialog1" << true << "*.rna";
    QTest::newRow("save trained") << "SpeedButton11" << "TabSheet3" << "SaveDialog2" << true << "*.ren";
}

void WindowFilesTest::eachButtonAsksItsOwnDialog() {
    QFETCH(QString, button);
    QFETCH(QString, tab);
    QFETCH(QString, dialog);
    QFETCH(bool, save);
    QFETCH(QString, filter);
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.ShowTab(form.findChild<QWidget*>(tab));
    driver.Click(form.findChild<QPushButton*>(button));
    QCOMPARE(driver.dialogs.asked.size(), 1);
    const FileDialogRequest& asked = driver.dialogs.asked.front();
    QCOMPARE(asked.name, dialog);
    QCOMPARE(asked.mode == FileDialogRequest::Mode::Save, save);
    QCOMPARE(asked.filter, filter);
    QCOMPARE("*." + asked.defaultSuffix, filter);
    // Cancelled: nothing changed, nothing written.
    QCOMPARE(form.windowTitle(), QString("PerceptLab 0.1"));
    QVERIFY(QDir(driver.folder()).isEmpty());
    QVERIFY(driver.errors.messages.isEmpty());
}

void WindowFilesTest::trainedFileWithCompanionTakesWeightsAndPatterns() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.WriteFile("ident.rna", {"1", "1", "1", "0", "2", "2", "0.25", "-3", "0.5", "1E-5"});
    const QString ren = driver.WriteFile("ident.ren", {"1", "1", "1", "0", "2", "0.125", "1", "-0.5", "2"});
    driver.dialogs.answers << ren;
    driver.Click(form.SpeedButton10);
    QVERIFY(driver.errors.messages.isEmpty());
    QVERIFY(driver.notices.messages.isEmpty());
    QCOMPARE(form.windowTitle(), QString("Perceptlab ident"));
    QCOMPARE(form.PageControl1->currentWidget(), form.TabSheet4);
    QCOMPARE(form.RedNeuronal1.FuncionTransferencia(), ftIdentidad);
    QCOMPARE(form.RedNeuronal1.CapaOculta.Neuronas[1].Pesos[0], 0.125);
    QCOMPARE(form.RedNeuronal1.CapaSalida.Neuronas[1].Pesos[1], 2.0);
    QCOMPARE(form.FlatComboBox2->ItemIndex(), 2);
    QCOMPARE(form.workState.NumeroPatrones, 2);
    QCOMPARE(form.Label3->text(), QString("Patrón 3"));
    QCOMPARE(RowTexts(*form.FloatGrid1, 2), Row(driver, {"-3", "1E-5"}));
    QCOMPARE(form.FlatSpinEditInteger5->Value(), 0);
    QCOMPARE(form.FlatSpinEditInteger4->Value(), 1);
    // The execution tab was shown: its grids fit the loaded network.
    QCOMPARE(form.FloatGrid4->RowCount(), 2);
    QCOMPARE(form.FloatGrid4->Cells(0, 1), QString("Entrada 1"));
}

void WindowFilesTest::trainedFileWithoutCompanionKeepsThePatterns() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.CreateNetwork(2, 2, 1);
    driver.AddPattern({"0.5", "1"}, {"0.9"});
    const QString ren = driver.WriteFile("alone.ren", kIdentityRen);
    driver.ShowTab(form.TabSheet1);
    driver.dialogs.answers << ren;
    driver.Click(form.SpeedButton10);
    QVERIFY(driver.errors.messages.isEmpty());
    QCOMPARE(form.PageControl1->currentWidget(), form.TabSheet4);
    QCOMPARE(form.RedNeuronal1.NumeroEntradas(), 1);
    QCOMPARE(form.FlatSpinEditInteger1->Value(), 1);
    QCOMPARE(form.workState.NumeroPatrones, 1);
    QCOMPARE(form.FloatGrid1->ColCount(), 4);
    QCOMPARE(RowTexts(*form.FloatGrid1, 1), Row(driver, {"0.5", "1", "0.9"}));
    QVERIFY(form.NKLabelFloat[2]->isEnabled());
}

void WindowFilesTest::companionOfAnotherTopologyIsReportedAndLeftOut() {
    WindowDriver driver;
    TForm1& form = driver.form();
    const QString companion = driver.WriteFile("mixed.rna", {"2", "2", "1", "0", "0", "1", "0", "1", "0.9"});
    const QString ren = driver.WriteFile("mixed.ren", kIdentityRen);
    driver.dialogs.answers << ren;
    driver.Click(form.SpeedButton10);
    QVERIFY(driver.errors.messages.isEmpty());
    QCOMPARE(driver.notices.messages,
             QStringList{"El fichero de patrones " + companion +
                         " no corresponde a la topología de la red; no se ha cargado."});
    QCOMPARE(form.RedNeuronal1.CapaSalida.Neuronas[1].Pesos[1], 1.0);
    QCOMPARE(form.workState.NumeroPatrones, 0);
    QCOMPARE(form.Label3->text(), QString("Patrón 1"));
    QCOMPARE(form.PageControl1->currentWidget(), form.TabSheet4);
}

void WindowFilesTest::savingTheTrainedNetworkWritesItsWeightsOnly() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.dialogs.answers << driver.WriteFile("ident.ren", {"1", "1", "1", "0", "2", "0.1", "-2.5", "3", "1E20"});
    driver.Click(form.SpeedButton10);
    driver.ShowTab(form.TabSheet3);
    const QString saved = driver.Path("copia.ren");
    driver.dialogs.answers << saved;
    driver.Click(form.SpeedButton11);
    QCOMPARE(driver.ReadFile(saved), driver.Bytes({"1", "1", "1", "0", "2", "0.1", "-2.5", "3", "1E20"}));
    QCOMPARE(form.windowTitle(), QString("Perceptlab ident"));
    QCOMPARE(form.workState.NombreRed, std::string("ident"));
    QVERIFY(!QFile::exists(driver.Path("copia.rna")));
}

void WindowFilesTest::failedLoadChangesNothing_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("message");
    QTest::newRow("bad integer") << QStringList{"2", "2", "1", "x"} << "'x' is not a valid integer value.";
    QTest::newRow("missing line") << QStringList{"2", "2", "1", "0", "0", "1", "0"} << "List index out of bounds (7)";
    QTest::newRow("bad real") << QStringList{"1", "1", "1", "0", "0", "1", "0", "abc"}
                              << "'abc' is not a valid floating point value.";
}

void WindowFilesTest::failedLoadChangesNothing() {
    QFETCH(QStringList, lines);
    QFETCH(QString, message);
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.CreateNetwork(3, 2, 2);
    driver.AddPattern({"1", "2", "3"}, {"0.5", "0.25"});
    driver.ShowTab(form.TabSheet1);
    driver.dialogs.answers << driver.WriteFile("broken.rna", lines);
    driver.Click(form.SpeedButton2);
    QCOMPARE(driver.errors.messages, QStringList{message});

    driver.dialogs.answers << driver.Path("missing.rna");
    driver.Click(form.SpeedButton2);
    QCOMPARE(driver.errors.messages.last(), "Cannot open file " + driver.Path("missing.rna") + ".");

    QCOMPARE(form.windowTitle(), QString("PerceptLab"));
    QCOMPARE(form.workState.NombreRed, std::string("NuevaNeurona"));
    QCOMPARE(form.PageControl1->currentWidget(), form.TabSheet1);
    QCOMPARE(form.FlatSpinEditInteger1->Value(), 3);
    QCOMPARE(form.RedNeuronal1.NumeroEntradas(), 3);
    QCOMPARE(form.workState.NumeroPatrones, 1);
    QCOMPARE(form.workState.EntradasPatrones[1][3], 3.0);
}

// The next dialog opens where a file was last saved or loaded: a folder
// where a save failed (such as /proc) is not offered again.
void WindowFilesTest::onlyASuccessfulSaveOrLoadRemembersItsFolder() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.ShowTab(form.TabSheet2);
    driver.dialogs.answers << driver.Path("falta/red.rna");
    driver.Click(form.SpeedButton4);
    driver.ShowTab(form.TabSheet3);
    driver.dialogs.answers << driver.Path("falta/red.ren");
    driver.Click(form.SpeedButton11);
    QCOMPARE(driver.errors.messages.size(), 2);
    QVERIFY(driver.dialogs.remembered.isEmpty());

    const QString saved = driver.Path("red.ren");
    driver.dialogs.answers << saved << saved;
    driver.Click(form.SpeedButton11);
    driver.ShowTab(form.TabSheet1);
    driver.Click(form.SpeedButton10);
    QCOMPARE(driver.errors.messages.size(), 2);
    QCOMPARE(driver.dialogs.remembered, (QStringList{saved, saved}));
}

QTEST_MAIN(WindowFilesTest)
#include "window_files_test.moc"
