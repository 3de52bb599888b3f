#include "error_report.h"

#include "program_error.h"

#include <QApplication>
#include <QMessageBox>

namespace {

class MessageBoxErrorBox : public ErrorBox {
public:
    void Show(const QString& message) override {
        QMessageBox::critical(QApplication::activeWindow(), QStringLiteral("PerceptLab"), message);
    }
};

MessageBoxErrorBox messageBox;
ErrorBox* current = &messageBox;

}  // namespace

void SetErrorBox(ErrorBox* box) { current = box ? box : &messageBox; }

void ReportError(const std::exception& error) {
    current->Show(QString::fromStdString(WithClosingPeriod(error.what())));
}
