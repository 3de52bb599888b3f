// SPDX-License-Identifier: GPL-3.0-or-later
// The real file dialogs: one filter, the default extension, any name accepted
// when opening, no question before replacing a file when saving.

#include "file_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileSystemModel>
#include <QMimeDatabase>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

class FileDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void answersWithTheChosenPath_data();
    void answersWithTheChosenPath();
    void cancelAnswersNothing();
    void nextDialogOpensInTheLastFolderUsed();
    void filesAreTypedByNameAndNeverRead();
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

namespace {

// The folder the next dialog shows, which the test then cancels.
QString FolderShown() {
    QString folder;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        folder = dialog->directory().absolutePath();
        dialog->reject();
    });
    QtFileDialogs().Execute(nullptr, {FileDialogRequest::Mode::Open, "OpenDialog1", "*.rna", "rna"});
    return folder;
}

}  // namespace

// Choosing a file is not enough: only a file loaded or saved there (which
// the window reports) makes its folder the next dialog's.
void FileDialogsTest::nextDialogOpensInTheLastFolderUsed() {
    QTemporaryDir used;
    QTemporaryDir chosen;
    QtFileDialogs().RememberFolderOf(used.filePath("xor.rna"));
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        dialog->selectFile(chosen.filePath("xor.rna"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    const FileDialogRequest request{FileDialogRequest::Mode::Open, "OpenDialog1", "*.rna", "rna"};
    QCOMPARE(QtFileDialogs().Execute(nullptr, request), std::optional<QString>(chosen.filePath("xor.rna")));
    QCOMPARE(FolderShown(), QDir(used.path()).absolutePath());
    QtFileDialogs().RememberFolderOf(chosen.filePath("xor.rna"));
    QCOMPARE(FolderShown(), QDir(chosen.path()).absolutePath());
}

// A folder holding a pipe no one writes to, and a file whose name says
// nothing of its content: the dialog stays responsive, and types the file
// by its name. Should a read of the pipe wait, a watchdog
// opens it for writing, which ends the wait, and the test fails.
void FileDialogsTest::filesAreTypedByNameAndNeverRead() {
    QTemporaryDir dir;
    const QByteArray pipe = QFile::encodeName(dir.filePath("tuberia"));
    QCOMPARE(::mkfifo(pipe.constData(), 0600), 0);
    const QString image = dir.filePath("imagen.rna");
    {
        QFile file(image);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(64, '\0'));
    }
    std::atomic<bool> finished{false};
    std::atomic<bool> rescued{false};
    std::thread watchdog([&] {
        for (int tenths = 0; tenths < 100 && !finished; ++tenths) std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (finished) return;
        const int fd = ::open(pipe.constData(), O_WRONLY | O_NONBLOCK);  // succeeds only while someone reads
        rescued = fd >= 0;
        if (fd >= 0) ::close(fd);
    });
    QtFileDialogs().RememberFolderOf(image);
    QString imageType;
    int listed = 0;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        QTest::qWait(500);  // the dialog's model gathers the folder meanwhile
        imageType = dialog->iconProvider()->type(QFileInfo(image));
        const auto* model = dialog->findChild<QFileSystemModel*>();
        if (model) listed = model->rowCount(model->index(dir.path()));
        dialog->reject();
    });
    QtFileDialogs().Execute(nullptr, {FileDialogRequest::Mode::Open, "OpenDialog1", "*.rna", "rna"});
    finished = true;
    watchdog.join();
    QVERIFY(!rescued);
    QCOMPARE(listed, 1);  // the file; Qt's dialog lists no pipe
    QVERIFY(!imageType.isEmpty());
    QVERIFY(imageType != QMimeDatabase().mimeTypeForName(QStringLiteral("image/png")).comment());
}

QTEST_MAIN(FileDialogsTest)
#include "file_dialogs_test.moc"
