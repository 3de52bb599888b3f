// SPDX-License-Identifier: GPL-3.0-or-later
#include "flat_look.h"

#include <QApplication>
#include <QEvent>
#include <QPalette>
#include <QWidget>

void ShowReadOnlyLook(QWidget* edit, bool readOnly) {
    if (!readOnly) {
        // Back to the colours it inherits.
        edit->setPalette(QPalette());
        return;
    }
    // The desktop's own colours, not those of a box the edit may sit in: a
    // read-only field takes the window colour with the window's text. What
    // it shows is data, so it reads the same when disabled.
    const QPalette desktop = QApplication::palette(edit);
    QPalette palette = edit->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setBrush(group, QPalette::Base, desktop.brush(QPalette::Active, QPalette::Window));
        palette.setBrush(group, QPalette::Text, desktop.brush(QPalette::Active, QPalette::WindowText));
    }
    edit->setPalette(palette);
}

bool ChangesReadOnlyLook(const QEvent* event) {
    return event->type() == QEvent::ReadOnlyChange || event->type() == QEvent::ApplicationPaletteChange;
}
