// SPDX-License-Identifier: GPL-3.0-or-later
// The command line: the requests it makes, a file named on it opened as the
// load buttons would, and Qt's own texts in the user's language.

#include "command_line.h"
#include "main_window.h"
#include "qt_translations.h"
#include "window_driver.h"

#include <QApplication>
#include <QLocale>
#include <QTest>

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void readsTheRequest_data();
    void readsTheRequest();
    void opensEachKindByItsExtension();
    void qtOwnTextsFollowTheSystemLanguage();
};

void CommandLineTest::readsTheRequest_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("request");
    QTest::addColumn<QString>("file");
    using R = CommandLine::Request;
    QTest::newRow("nothing") << QStringList{} << int(R::Window) << "";
    QTest::newRow("a file") << QStringList{"red neuronal.rna"} << int(R::Window) << "red neuronal.rna";
    QTest::newRow("help after a file") << QStringList{"x.rna", "--help"} << int(R::Help) << "";
    QTest::newRow("version") << QStringList{"--version"} << int(R::Version) << "";
    QTest::newRow("unknown option") << QStringList{"--entrenar"} << int(R::Mistake) << "";
    QTest::newRow("two files") << QStringList{"a.rna", "b.ren"} << int(R::Mistake) << "a.rna";
}

void CommandLineTest::readsTheRequest() {
    QFETCH(QStringList, arguments);
    QFETCH(int, request);
    QFETCH(QString, file);
    const CommandLine line = ReadCommandLine(arguments);
    QCOMPARE(int(line.request), request);
    QCOMPARE(line.file, file);
    QCOMPARE(line.mistake.isEmpty(), line.request != CommandLine::Request::Mistake);
}

void CommandLineTest::opensEachKindByItsExtension() {
    WindowDriver driver;
    TForm1& form = driver.form();
    form.OpenFile(driver.WriteFile("ident.REN", {"1", "1", "1", "0", "2", "0.1", "-2.5", "3", "1E20"}));
    QCOMPARE(form.RedNeuronal1.CapaSalida.Neuronas[1].Pesos[1], 1E20);
    QCOMPARE(form.workState.NombreRed, std::string("ident"));

    form.OpenFile(QStringLiteral(PERCEPTLAB_EXAMPLES_DIR "/xor.rna"));
    QCOMPARE(form.workState.NumeroPatrones, 4);
    QCOMPARE(form.workState.NombreRed, std::string("xor"));
    QVERIFY(driver.errors.messages.isEmpty());
}

void CommandLineTest::qtOwnTextsFollowTheSystemLanguage() {
    InstallQtTranslations(*qApp);
    const QString cancel = QCoreApplication::translate("QPlatformTheme", "Cancel");
    const QString open = QCoreApplication::translate("QFileDialog", "Open");
    if (QLocale::system().language() == QLocale::Spanish) {
        QCOMPARE(cancel, QString("Cancelar"));
        QCOMPARE(open, QString("Abrir"));
    } else {
        QCOMPARE(cancel, QString("Cancel"));
    }
}

QTEST_MAIN(CommandLineTest)
#include "command_line_test.moc"
