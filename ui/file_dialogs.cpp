#include "file_dialogs.h"

#include <QFileDialog>

std::optional<QString> QtFileDialogs::Execute(QWidget* parent, const FileDialogRequest& request) {
    QFileDialog dialog(parent);
    dialog.setObjectName(request.name);
    dialog.setNameFilter(request.filter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (request.mode == FileDialogRequest::Mode::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}
