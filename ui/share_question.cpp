// SPDX-License-Identifier: GPL-3.0-or-later
#include "share_question.h"

#include <QInputDialog>

std::optional<int> QtShareQuestion::Ask(QWidget* parent, const QString& question) {
    bool accepted = false;
    const int percent = QInputDialog::getInt(parent, "PerceptLab", question, 20, 1, 99, 1, &accepted);
    if (!accepted) return std::nullopt;
    return percent;
}
