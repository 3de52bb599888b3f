// SPDX-License-Identifier: GPL-3.0-or-later
#include "info_box.h"

#include <QMessageBox>

void QtInfoBox::Show(QWidget* parent, const QString& message) {
    // Plain text: a notice may name a file, whose path must show as written.
    QMessageBox box(QMessageBox::Information, QStringLiteral("PerceptLab"), message, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool QtInfoBox::Ask(QWidget* parent, const QString& question) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("PerceptLab"), question, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}
