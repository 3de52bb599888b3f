// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_dialogs.h"

#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QSettings>

namespace {

// The folder of the last file loaded or saved, kept across restarts so that a learner
// finds their networks where they left them.
QSettings Settings() { return QSettings(QStringLiteral("PerceptLab"), QStringLiteral("PerceptLab")); }
const QString LastFolderKey = QStringLiteral("dialogs/lastFolder");

// Icons and type names from the file's name and kind, never from its
// content: Qt's own provider reads a file whose name says nothing, and a
// file that never answers a read would hang the dialog.
class NameOnlyIconProvider : public QFileIconProvider {
public:
    QIcon icon(IconType type) const override { return QFileIconProvider::icon(type); }
    QIcon icon(const QFileInfo& info) const override {
        return QFileIconProvider::icon(info.isDir() ? QFileIconProvider::Folder : QFileIconProvider::File);
    }
    QString type(const QFileInfo& info) const override {
        if (!info.isFile()) return QFileIconProvider::type(info);  // reads nothing for other kinds
        return names_.mimeTypeForFile(info, QMimeDatabase::MatchExtension).comment();
    }

private:
    QMimeDatabase names_;
};

}  // namespace

std::optional<QString> QtFileDialogs::Execute(QWidget* parent, const FileDialogRequest& request) {
    NameOnlyIconProvider iconProvider;  // outlives the dialog, which uses it to the end
    QFileDialog dialog(parent);
    dialog.setObjectName(request.name);
    dialog.setIconProvider(&iconProvider);
    dialog.setNameFilter(request.filter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QString lastFolder = Settings().value(LastFolderKey).toString();
    if (!lastFolder.isEmpty() && QFileInfo(lastFolder).isDir()) dialog.setDirectory(lastFolder);
    if (request.mode == FileDialogRequest::Mode::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

void QtFileDialogs::RememberFolderOf(const QString& path) { Settings().setValue(LastFolderKey, QFileInfo(path).absolutePath()); }
