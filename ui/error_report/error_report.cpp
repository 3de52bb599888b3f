// SPDX-License-Identifier: GPL-3.0-or-later
#include "error_report.h"

#include "error_explanation.h"
#include "program_error.h"

#include <QApplication>
#include <QMessageBox>

namespace {

class MessageBoxErrorBox : public ErrorBox {
public:
    void Show(const QString& message, const QString& explanation) override {
        // Plain text: the message may quote a file's line or a path, which
        // must show as written, not as markup.
        QMessageBox box(QMessageBox::Critical, QStringLiteral("PerceptLab"), message, QMessageBox::Ok,
                        QApplication::activeWindow());
        box.setTextFormat(Qt::PlainText);
        box.setInformativeText(explanation);
        box.exec();
    }
};

MessageBoxErrorBox messageBox;
ErrorBox* current = &messageBox;

}  // namespace

void SetErrorBox(ErrorBox* box) { current = box ? box : &messageBox; }

void ReportError(const std::exception& error) {
    current->Show(QString::fromStdString(WithClosingPeriod(error.what())), ErrorExplanation(error.what()));
}
