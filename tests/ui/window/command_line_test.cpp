// SPDX-License-Identifier: GPL-3.0-or-later
// The command line: the requests it makes, a file named on it opened as the
// load buttons would, and Qt's own texts in the user's language.

#include "command_line.h"
#include "main_window.h"
#include "qt_translations.h"
#include "window_driver.h"

#include <QApplication>
#include <QFile>
#include <QLocale>
#include <QTest>

#include <cstdio>
#include <string>
#include <vector>

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void readsTheRequest_data();
    void readsTheRequest();
    void opensEachKindEvenUnderALatin1Name();
    void qtOwnTextsFollowTheSystemLanguage();
};

void CommandLineTest::readsTheRequest_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("request");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("qtOptions");
    using R = CommandLine::Request;
    QTest::newRow("nothing") << QStringList{} << int(R::Window) << "" << QStringList{};
    QTest::newRow("a file") << QStringList{"red neuronal.rna"} << int(R::Window) << "red neuronal.rna" << QStringList{};
    QTest::newRow("help after a file") << QStringList{"x.rna", "--help"} << int(R::Help) << "" << QStringList{};
    QTest::newRow("short help") << QStringList{"-h"} << int(R::Help) << "" << QStringList{};
    QTest::newRow("version") << QStringList{"--version"} << int(R::Version) << "" << QStringList{};
    QTest::newRow("a training") << QStringList{"--train", "x.rna", "--cycles", "5"} << int(R::Batch) << "" << QStringList{};
    QTest::newRow("a training without criterion") << QStringList{"--train", "x.rna"} << int(R::Mistake) << "" << QStringList{};
    QTest::newRow("--train after -- is a file") << QStringList{"--", "--train"} << int(R::Window) << "--train" << QStringList{};
    QTest::newRow("unknown option") << QStringList{"--entrenar"} << int(R::Mistake) << "" << QStringList{};
    QTest::newRow("two files") << QStringList{"a.rna", "b.ren"} << int(R::Mistake) << "" << QStringList{};
    QTest::newRow("a dash file after --") << QStringList{"--", "-x.rna"} << int(R::Window) << "-x.rna" << QStringList{};
    QTest::newRow("help after -- is a file") << QStringList{"--", "--help"} << int(R::Window) << "--help" << QStringList{};
    QTest::newRow("two files after --") << QStringList{"--", "a.rna", "b.ren"} << int(R::Mistake) << "" << QStringList{};
    QTest::newRow("Qt's options")
        << QStringList{"-style", "fusion", "x.rna", "--platform=offscreen", "-reverse"} << int(R::Window) << "x.rna"
        << QStringList{"-style", "fusion", "--platform=offscreen", "-reverse"};
    QTest::newRow("Qt's option without its value") << QStringList{"x.rna", "-style"} << int(R::Mistake) << "" << QStringList{};
    QTest::newRow("a file named as Qt's option") << QStringList{"--", "-reverse"} << int(R::Window) << "-reverse" << QStringList{};
}

void CommandLineTest::readsTheRequest() {
    QFETCH(QStringList, arguments);
    QFETCH(int, request);
    QFETCH(QString, file);
    QFETCH(QStringList, qtOptions);
    std::vector<std::string> raw;
    for (const QString& argument : arguments) raw.push_back(argument.toStdString());
    const CommandLine line = ReadCommandLine(raw);
    QCOMPARE(int(line.request), request);
    QCOMPARE(QString::fromStdString(line.file), file);
    QCOMPARE(line.mistake.empty(), line.request != CommandLine::Request::Mistake);
    if (line.request == CommandLine::Request::Window) {
        QStringList taken;
        for (const std::string& option : line.qtOptions) taken << QString::fromStdString(option);
        QCOMPARE(taken, qtOptions);
    }
}

// The name's bytes reach the file as given, even where they are no UTF-8:
// "café" written by an older system in Latin-1.
void CommandLineTest::opensEachKindEvenUnderALatin1Name() {
    WindowDriver driver;
    TForm1& form = driver.form();
    const std::string latin1 = QFile::encodeName(driver.folder()).toStdString() + "/ident caf\xe9.REN";
    const QString written = driver.WriteFile("ident.ren", {"1", "1", "1", "0", "2", "0.1", "-2.5", "3", "1E20"});
    QCOMPARE(std::rename(QFile::encodeName(written).constData(), latin1.c_str()), 0);
    const CommandLine line = ReadCommandLine({latin1});
    QCOMPARE(line.file, latin1);
    form.OpenFile(line.file);
    QCOMPARE(form.RedNeuronal1.CapaSalida.Neuronas[1].Pesos[1], 1E20);
    QCOMPARE(form.workState.NombreRed, std::string("ident caf\xe9"));

    form.OpenFile(PERCEPTLAB_EXAMPLES_DIR "/xor.rna");
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
