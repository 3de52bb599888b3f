// SPDX-License-Identifier: GPL-3.0-or-later
// The example networks in examples/ are what the program itself saves for
// them. With PERCEPTLAB_WRITE_EXAMPLES set (and a "." separator) the test
// writes them there instead of comparing.

#include "main_window.h"
#include "window_driver.h"

#include <QFile>
#include <QLabel>
#include <QTest>

class WindowExamplesTest : public QObject {
    Q_OBJECT

private slots:
    void examplesAreWhatTheProgramSaves_data();
    void examplesAreWhatTheProgramSaves();
    void examplesLoadUnderEitherSeparator_data() { examplesAreWhatTheProgramSaves_data(); }
    void examplesLoadUnderEitherSeparator();
    void everyExampleLoads_data();
    void everyExampleLoads();
};

void WindowExamplesTest::examplesAreWhatTheProgramSaves_data() {
    // Logical 0 and 1 as outputs 0.1 and 0.9, which a sigmoid can reach.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("outputs");
    QTest::newRow("xor") << "xor" << QStringList{"0.1", "0.9", "0.9", "0.1"};
    QTest::newRow("and") << "and" << QStringList{"0.1", "0.1", "0.1", "0.9"};
    QTest::newRow("or") << "or" << QStringList{"0.1", "0.9", "0.9", "0.9"};
}

void WindowExamplesTest::examplesAreWhatTheProgramSaves() {
    QFETCH(QString, name);
    QFETCH(QStringList, outputs);
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.CreateNetwork(2, 2, 1, 0, 0);
    const QStringList inputs[] = {{"0", "0"}, {"0", "1"}, {"1", "0"}, {"1", "1"}};
    for (int p = 0; p < 4; ++p) driver.AddPattern(inputs[p], {outputs[p]});
    const QString saved = driver.Path(name + ".rna");
    driver.dialogs.answers << saved;
    driver.Click(form.SpeedButton4);

    const QString example = QStringLiteral(PERCEPTLAB_EXAMPLES_DIR "/") + name + ".rna";
    if (qEnvironmentVariableIsSet("PERCEPTLAB_WRITE_EXAMPLES")) {
        if (driver.separator() != QLatin1Char('.')) QSKIP("examples are written with a decimal point");
        QFile::remove(example);
        QVERIFY(QFile::copy(saved, example));
        return;
    }
    QFile file(example);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromLatin1(file.readAll()).split("\r\n", Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 6 + 4 * 3);
    QCOMPARE(driver.ReadFile(saved), driver.Bytes(lines));
}

namespace {

// "Cargar Red Sin Entrenar" with examples/<name>.rna chosen.
void LoadExample(WindowDriver& driver, const QString& name) {
    driver.ShowTab(driver.form().TabSheet1);
    driver.dialogs.answers << QStringLiteral(PERCEPTLAB_EXAMPLES_DIR "/") + name + ".rna";
    driver.Click(driver.form().SpeedButton2);
}

}  // namespace

// They were saved with a decimal point, and load under a decimal comma too.
void WindowExamplesTest::examplesLoadUnderEitherSeparator() {
    QFETCH(QString, name);
    QFETCH(QStringList, outputs);
    WindowDriver driver;
    TForm1& form = driver.form();
    LoadExample(driver, name);
    QCOMPARE(driver.errors.messages, QStringList{});
    QCOMPARE(form.Label3->text(), QString("Patrón 5"));
    QCOMPARE(RowTexts(*form.FloatGrid1, 4), (QStringList{"", "1", "1", driver.Regional(outputs[3])}));
}

void WindowExamplesTest::everyExampleLoads_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("patterns");
    const std::pair<const char*, int> examples[] = {{"paridad3", 8},        {"codificador424", 4}, {"seno", 21},
                                                    {"circulo", 81},        {"siete_segmentos", 10}, {"iris", 100},
                                                    {"sobreajuste", 10}};
    for (const auto& [name, patterns] : examples) QTest::newRow(name) << QString(name) << patterns;
}

// Under the test's regional setting, whichever decimal separator it has.
void WindowExamplesTest::everyExampleLoads() {
    QFETCH(QString, name);
    QFETCH(int, patterns);
    WindowDriver driver;
    TForm1& form = driver.form();
    LoadExample(driver, name);
    QCOMPARE(driver.errors.messages, QStringList{});
    QCOMPARE(form.workState.NumeroPatrones, patterns);
    QCOMPARE(form.Label3->text(), QString("Patrón %1").arg(patterns + 1));
}

QTEST_MAIN(WindowExamplesTest)
#include "window_examples_test.moc"
