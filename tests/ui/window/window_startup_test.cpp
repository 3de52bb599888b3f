// SPDX-License-Identifier: GPL-3.0-or-later
// The main window at start-up, the configuration tab and "Nueva Red Neuronal".

#include "flat_combo_box.h"
#include "flat_spin_edit_integer.h"
#include "float_grid.h"
#include "main_window.h"
#include "nk_label_float.h"
#include "window_driver.h"

#include <QAccessible>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <algorithm>

class WindowStartupTest : public QObject {
    Q_OBJECT

private slots:
    void startsWithTheDesignTimeState();
    void everyControlIsNamedAndAnnounced_data();
    void everyControlIsNamedAndAnnounced();
    void helpTextFlowsInParagraphsWithoutLoneWords();
    void licenceLineIsWholeBelowTheCredits();
    void newNetworkWithoutTouchingTheTabIsOneOneOne();
    void newNetworkTakesTheTabsSettings_data();
    void newNetworkTakesTheTabsSettings();
    void countsTypedAndNotConfirmedAreLimitedToTheirRange_data();
    void countsTypedAndNotConfirmedAreLimitedToTheirRange();
    void secondNewNetworkEmptiesTheGridButKeepsTheLabel();
};

namespace {

QList<int> EnabledFields(TForm1& form) {
    QList<int> enabled;
    for (int k = 1; k <= 20; ++k)
        if (form.NKLabelFloat[k]->isEnabled()) enabled << k;
    return enabled;
}

}  // namespace

void WindowStartupTest::startsWithTheDesignTimeState() {
    WindowDriver driver;
    TForm1& form = driver.form();
    QCOMPARE(form.windowTitle(), QString("PerceptLab 0.1"));
    QCOMPARE(form.size(), QSize(631, 434));
    QCOMPARE(form.minimumSize(), QSize(631, 434));
    QCOMPARE(form.PageControl1->currentWidget(), form.TabSheet1);
    QStringList captions;
    for (int i = 0; i < form.PageControl1->count(); ++i) captions << form.PageControl1->tabText(i);
    QCOMPARE(captions, (QStringList{"Configuración", "Introducir Datos", "Entrenamiento", "Ejecución",
                                    "Cómo Aprende", "Ayuda y Créditos"}));
    QCOMPARE(form.PageControl1->indexOf(form.TabSheet6) + 1, form.PageControl1->indexOf(form.TabSheet5));

    QCOMPARE(form.workState.NombreRed, std::string("NuevaNeurona"));
    QVERIFY(!form.workState.RedCreada);
    QCOMPARE(form.RedNeuronal1.NumeroEntradas(), 2);
    QCOMPARE(int(form.RedNeuronal1.NeuronasCapaOculta()), 2);
    QCOMPARE(int(form.RedNeuronal1.NeuronasCapaSalida()), 1);
    QCOMPARE(form.RedNeuronal1.FuncionTransferencia(), ftSigmoide);
    for (TFlatSpinEditInteger* count : {form.FlatSpinEditInteger1, form.FlatSpinEditInteger2, form.FlatSpinEditInteger3})
        QCOMPARE(count->Value(), 1);
    QCOMPARE(form.FlatComboBox1->ItemIndex(), -1);
    QCOMPARE(form.FlatComboBox2->ItemIndex(), -1);

    QCOMPARE(form.Label3->text(), QString("Patrón 1"));
    QCOMPARE(EnabledFields(form).size(), 20);
    QCOMPARE(form.FloatGrid1->ColCount(), 11);
    QCOMPARE(form.FloatGrid1->RowCount(), 2);
    QCOMPARE(form.FlatSpinEditInteger8->MaxValue(), 0);

    QVERIFY(form.FlatRadioButton1->isChecked());
    QCOMPARE(form.FlatSpinEditInteger4->Value(), 1);
    QVERIFY(!form.FlatSpinEditInteger9->isEnabled());
    QVERIFY(!form.FlatSpinEditInteger10->isEnabled());
    QCOMPARE(form.FlatSpinEditInteger7->Value(), 0);
}

void WindowStartupTest::everyControlIsNamedAndAnnounced_data() {
    QTest::addColumn<QString>("name");
    for (const char* name :
         {"PageControl1", "TabSheet1", "TabSheet2", "TabSheet3", "TabSheet4", "TabSheet5", "TabSheet6", "FlatSpinEditInteger1",
          "FlatSpinEditInteger2", "FlatSpinEditInteger3", "FlatComboBox1", "FlatComboBox2", "SpeedButton1",
          "SpeedButton2", "SpeedButton10", "Label4", "Label3", "SpeedButton4", "Label1", "Label2", "SpeedButton3",
          "SpeedButton5", "FlatSpinEditInteger8", "SpeedButton6", "GroupBox1", "FloatGrid1", "GroupBox8", "GroupBox9",
          "FlatRadioButton1", "FlatSpinEditInteger4", "FlatRadioButton2", "FlatSpinEditInteger9", "FlatRadioButton3",
          "FlatSpinEditInteger10", "GroupBox10", "FlatSpinEditInteger5", "GroupBox13", "FlatSpinEditInteger6",
          "GroupBox14", "FlatSpinEditFloat1", "GroupBox17", "FlatSpinEditFloat2", "SpeedButton7", "SpeedButton8",
          "SpeedButton11", "GroupBox12", "FloatGrid2", "GroupBox11", "FloatGrid3", "Chart1", "GroupBox7",
          "FloatGrid4", "GroupBox15", "FlatGroupBox6", "FlatSpinEditInteger7", "Label10", "FloatGrid5",
          "SpeedButton9", "FlatMemo1", "Label13", "Label14", "ExStaticText1", "ExStaticText2", "licenceLabel", "patternChooser",
          "computeStepButton", "applyStepButton", "forwardTable", "deltaTable", "weightTable"})
        QTest::newRow(name) << QString(name);
    for (int k = 1; k <= 20; ++k) QTest::newRow(qPrintable(QString("NKLabelFloat%1").arg(k))) << QString("NKLabelFloat%1").arg(k);
}

void WindowStartupTest::everyControlIsNamedAndAnnounced() {
    QFETCH(QString, name);
    WindowDriver driver;
    const QList<QWidget*> found = driver.form().findChildren<QWidget*>(name);
    QCOMPARE(found.size(), 1);
    const QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(found.front());
    QVERIFY(accessible);
    QVERIFY(!accessible->text(QAccessible::Name).trimmed().isEmpty());
}

// The fixed lines keep every word and blank; a line that ends in a blank
// runs on into the next, so the memo wraps whole paragraphs and leaves no
// word alone on a line.
void WindowStartupTest::helpTextFlowsInParagraphsWithoutLoneWords() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.ShowTab(form.TabSheet5);
    QPlainTextEdit* memo = form.FlatMemo1;
    const QStringList paragraphs = memo->toPlainText().split('\n');
    QCOMPARE(paragraphs[0], QString("Este programa intenta simular el funcionamiento de una Red Neuronal de un tipo "
                                    "concreto . Se trata de un Perceptrón Multicapa . Se implementa el aprendizaje de "
                                    "Retropropagación del Gradiente . En esta primera versión , sólo se pueden "
                                    "utilizar dos capas de perceptrones , una es la oculta y la otra es la de salida "
                                    ". En cada capa se admite un máximo de 10 neuronas . También disponemos de 10 "
                                    "entradas como máximo en la red ."));
    QVERIFY(paragraphs[3].startsWith("El programa permite cargar y guardar la definición de cualquier configuración "
                                     "de la red que deseemos junto"));
    // After them, "Cómo Aprende", each of its four views, and the error's measure.
    for (const char* start : {"La pestaña Cómo Aprende", "Paso a paso", "Red dibuja", "Mapa de decisión",
                              "Resultados", "En Entrenamiento , Error ( % )"})
        QVERIFY2(std::any_of(paragraphs.begin() + 4, paragraphs.end(),
                             [&](const QString& p) { return p.startsWith(QString::fromUtf8(start)); }),
                 start);
    for (const int width : {564, 564 + 649}) {
        memo->resize(width, memo->height());
        QCoreApplication::processEvents();
        for (QTextBlock block = memo->document()->begin(); block.isValid(); block = block.next()) {
            const QTextLayout* layout = block.layout();
            for (int i = 0; i < layout->lineCount(); ++i) {
                const QTextLine line = layout->lineAt(i);
                const QString text = block.text().mid(line.textStart(), line.textLength()).trimmed();
                QVERIFY2(text.contains(' ') || block.text().trimmed() == text, qPrintable(text));
            }
        }
    }
}

// Whole below the credits and inside the page at the default size, and
// still below the text, not over it, once the window is maximised.
void WindowStartupTest::licenceLineIsWholeBelowTheCredits() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.ShowTab(form.TabSheet5);
    const auto* licence = form.TabSheet5->findChild<QLabel*>("licenceLabel");
    const auto* lastCredit = form.TabSheet5->findChild<QLabel*>("ExStaticText2");
    const auto* text = form.TabSheet5->findChild<QWidget*>("GroupBox16");
    QVERIFY(licence && lastCredit && text);
    QVERIFY(licence->text().contains("GNU GPL, versión 3 o posterior"));
    QVERIFY(licence->sizeHint().width() <= licence->width());
    for (const QSize size : {QSize(631, 434), QSize(1280, 994)}) {
        form.resize(size);
        QCoreApplication::processEvents();
        QVERIFY(licence->geometry().top() >= lastCredit->geometry().bottom());
        QVERIFY(lastCredit->geometry().top() >= text->geometry().bottom());
        QVERIFY2(form.TabSheet5->rect().contains(licence->geometry()),
                 qPrintable(QString("%1 in %2").arg(licence->geometry().bottom()).arg(form.TabSheet5->height())));
    }
}

void WindowStartupTest::newNetworkWithoutTouchingTheTabIsOneOneOne() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.Click(form.SpeedButton1);
    QCOMPARE(form.windowTitle(), QString("PerceptLab"));
    QCOMPARE(form.PageControl1->currentWidget(), form.TabSheet2);
    QVERIFY(form.workState.RedCreada);
    QCOMPARE(form.RedNeuronal1.NumeroEntradas(), 1);
    QCOMPARE(int(form.RedNeuronal1.NeuronasCapaOculta()), 1);
    QCOMPARE(int(form.RedNeuronal1.NeuronasCapaSalida()), 1);
    QCOMPARE(form.RedNeuronal1.ReglaPropagacion(), rpLineal);
    QCOMPARE(form.RedNeuronal1.FuncionTransferencia(), ftSigmoide);
    QCOMPARE(RowTexts(*form.FloatGrid1, 0), (QStringList{"Patrón", "Entrada 1", "Salida 1"}));
    QCOMPARE(RowTexts(*form.FloatGrid1, 1), (QStringList{"", "0", "0"}));
    QCOMPARE(form.FloatGrid1->RowCount(), 2);
    QCOMPARE(EnabledFields(form), (QList<int>{1, 11}));
}

void WindowStartupTest::newNetworkTakesTheTabsSettings_data() {
    QTest::addColumn<int>("inputs");
    QTest::addColumn<int>("hidden");
    QTest::addColumn<int>("outputs");
    QTest::addColumn<int>("function");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QList<int>>("enabled");
    QTest::newRow("3-4-2 tanh") << 3 << 4 << 2 << 1 << int(ftTangenteHiperbolica) << QList<int>{1, 2, 3, 11, 12};
    QTest::newRow("10-1-10 identity") << 10 << 1 << 10 << 2 << int(ftIdentidad)
                                      << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18,
                                                    19, 20};
    QTest::newRow("32-2-12 sigmoid") << 32 << 2 << 12 << 0 << int(ftSigmoide)
                                     << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18,
                                                   19, 20};
    QTest::newRow("nothing chosen keeps sigmoid") << 2 << 2 << 1 << -1 << int(ftSigmoide) << QList<int>{1, 2, 11};
}

void WindowStartupTest::newNetworkTakesTheTabsSettings() {
    QFETCH(int, inputs);
    QFETCH(int, hidden);
    QFETCH(int, outputs);
    QFETCH(int, function);
    QFETCH(int, expected);
    QFETCH(QList<int>, enabled);
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.CreateNetwork(inputs, hidden, outputs, 0, function);
    QCOMPARE(form.RedNeuronal1.NumeroEntradas(), inputs);
    QCOMPARE(int(form.RedNeuronal1.NeuronasCapaOculta()), hidden);
    QCOMPARE(int(form.RedNeuronal1.NeuronasCapaSalida()), outputs);
    QCOMPARE(int(form.RedNeuronal1.FuncionTransferencia()), expected);
    QCOMPARE(form.FloatGrid1->ColCount(), inputs + outputs + 1);
    QCOMPARE(form.FloatGrid1->Cells(inputs, 0), QString("Entrada %1").arg(inputs));
    QCOMPARE(form.FloatGrid1->Cells(inputs + outputs, 0), QString("Salida %1").arg(outputs));
    QCOMPARE(EnabledFields(form), enabled);
}

void WindowStartupTest::countsTypedAndNotConfirmedAreLimitedToTheirRange_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("taken");
    QTest::newRow("above") << "40" << 32;
    QTest::newRow("zero") << "0" << 1;
    QTest::newRow("negative") << "-5" << 1;
    QTest::newRow("inside") << "7" << 7;
}

void WindowStartupTest::countsTypedAndNotConfirmedAreLimitedToTheirRange() {
    QFETCH(QString, typed);
    QFETCH(int, taken);
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.TypeInto(form.FlatSpinEditInteger2, typed);
    driver.TypeInto(form.FlatSpinEditInteger1, typed);
    // The click leaves the focus in the field: the count reaches the handler as typed.
    driver.Click(form.SpeedButton1);
    QCOMPARE(form.RedNeuronal1.NumeroEntradas(), taken);
    QCOMPARE(int(form.RedNeuronal1.NeuronasCapaOculta()), taken);
    QCOMPARE(form.FloatGrid1->ColCount(), taken + 2);
}

void WindowStartupTest::secondNewNetworkEmptiesTheGridButKeepsTheLabel() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.CreateNetwork(2, 2, 1);
    driver.AddPattern({"0", "1"}, {"0.9"});
    driver.AddPattern({"1", "1"}, {"0.1"});
    QCOMPARE(form.Label3->text(), QString("Patrón 3"));
    QCOMPARE(form.FloatGrid1->RowCount(), 3);

    driver.CreateNetwork(2, 2, 1);
    QCOMPARE(form.windowTitle(), QString("PerceptLab"));
    QCOMPARE(form.workState.NumeroPatrones, 0);
    QCOMPARE(form.FloatGrid1->RowCount(), 2);
    QCOMPARE(RowTexts(*form.FloatGrid1, 1), (QStringList{"", "0", "0", "0"}));
    QCOMPARE(form.Label3->text(), QString("Patrón 3"));
}

QTEST_MAIN(WindowStartupTest)
#include "window_startup_test.moc"
