// SPDX-License-Identifier: GPL-3.0-or-later
// The real file dialogs: one filter, the default extension, any name accepted
// when opening, no question before replacing a file when saving.

#include "file_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class FileDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void answersWithTheChosenPath_data();
    void answersWithTheChosenPath();
    void cancelAnswersNothing();
    void nextDialogOpensInTheLastFolderChosen();
};

void FileDialogsTest::answersWithTheChosenPath_data() {
    QTest::addColumn<bool>("save");
    QTest::addColumn<bool>("exists");
    QTest::newRow("open a name that does not exist") << false << false;
    QTest::newRow("save over an existing file") << true << true;
}

void FileDialogsTest::answersWithTheChosenPath() {
    QFETCH(bool, save);
    QFETCH(bool, exists);
    QTemporaryDir dir;
    const QString path = dir.filePath("red.ren");
    if (exists) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    const FileDialogRequest request{save ? FileDialogRequest::Mode::Save : FileDialogRequest::Mode::Open, "SaveDialog2",
                              "*.ren", "ren"};
    QStringList filters;
    QString suffix;
    bool asksBeforeReplacing = true;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        filters = dialog->nameFilters();
        suffix = dialog->defaultSuffix();
        asksBeforeReplacing = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        dialog->selectFile(path);
        QMetaObject::invokeMethod(dialog, "accept");
        // A dialog that refused the name would still be open: answer nothing.
        if (dialog->isVisible()) dialog->reject();
    });
    QtFileDialogs dialogs;
    const std::optional<QString> chosen = dialogs.Execute(nullptr, request);
    QCOMPARE(filters, QStringList{"*.ren"});
    QCOMPARE(suffix, QString("ren"));
    if (save) QVERIFY(!asksBeforeReplacing);
    QVERIFY(chosen.has_value());
    QCOMPARE(*chosen, path);
}

void FileDialogsTest::cancelAnswersNothing() {
    QTimer::singleShot(0, [] {
        if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();
    });
    QtFileDialogs dialogs;
    QVERIFY(!dialogs.Execute(nullptr, {FileDialogRequest::Mode::Open, "OpenDialog1", "*.rna", "rna"}));
}

void FileDialogsTest::nextDialogOpensInTheLastFolderChosen() {
    QTemporaryDir dir;
    const QString path = dir.filePath("xor.rna");
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        dialog->selectFile(path);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    const FileDialogRequest request{FileDialogRequest::Mode::Open, "OpenDialog1", "*.rna", "rna"};
    QCOMPARE(QtFileDialogs().Execute(nullptr, request), std::optional<QString>(path));

    QString folderShown;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        folderShown = dialog->directory().absolutePath();
        dialog->reject();
    });
    QVERIFY(!QtFileDialogs().Execute(nullptr, request));
    QCOMPARE(folderShown, QDir(dir.path()).absolutePath());
}

QTEST_MAIN(FileDialogsTest)
#include "file_dialogs_test.moc"
