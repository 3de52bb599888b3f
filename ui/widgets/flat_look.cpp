#include "flat_look.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

void ShowReadOnlyLook(QWidget* edit, bool readOnly) {
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, readOnly ? QColor(Qt::lightGray) : QApplication::palette(edit).color(QPalette::Base));
    edit->setPalette(palette);
}
