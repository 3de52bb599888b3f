#include "file_dialogs.h"

#include <QFileDialog>

std::optional<QString> QtFileDialogs::Execute(QWidget* parent, const FileDialogSpec& spec) {
    QFileDialog dialog(parent);
    dialog.setObjectName(spec.name);
    dialog.setNameFilter(spec.filter);
    dialog.setDefaultSuffix(spec.defaultSuffix);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (spec.mode == FileDialogSpec::Mode::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}
