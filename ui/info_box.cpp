#include "info_box.h"

#include <QMessageBox>

void QtInfoBox::Show(QWidget* parent, const QString& message) {
    QMessageBox::information(parent, QStringLiteral("PerceptLab"), message);
}
