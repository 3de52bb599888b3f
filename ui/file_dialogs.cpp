// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>

namespace {

// The folder of the last file chosen, kept across restarts so that a learner
// finds their networks where they left them.
QSettings Settings() { return QSettings(QStringLiteral("PerceptLab"), QStringLiteral("PerceptLab")); }
const QString LastFolderKey = QStringLiteral("dialogs/lastFolder");

}  // namespace

std::optional<QString> QtFileDialogs::Execute(QWidget* parent, const FileDialogRequest& request) {
    QFileDialog dialog(parent);
    dialog.setObjectName(request.name);
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
    const QString chosen = dialog.selectedFiles().constFirst();
    Settings().setValue(LastFolderKey, QFileInfo(chosen).absolutePath());
    return chosen;
}
