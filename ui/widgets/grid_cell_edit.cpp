// SPDX-License-Identifier: GPL-3.0-or-later
#include "grid_cell_edit.h"

#include "number_texts.h"
#include "regional_separators.h"

#include <QKeyEvent>

#include <algorithm>

GridCellEdit::GridCellEdit(const QString& original, QWidget* parent) : QLineEdit(parent), original_(original) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setAcceptDrops(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void GridCellEdit::keyPressEvent(QKeyEvent* event) {
    const QChar separator = QLatin1Char(RegionalDecimalSeparator());
    QChar key;
    if ((event->modifiers() & Qt::KeypadModifier) &&
        (event->key() == Qt::Key_Period || event->key() == Qt::Key_Comma)) {
        key = separator;
    } else if (event->text().size() == 1 && event->text()[0].isPrint()) {
        key = event->text()[0];
    }
    if (key.isNull()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    if (key == QLatin1Char('-')) {
        ToggleSign();
        return;
    }
    if ((key >= QLatin1Char('0') && key <= QLatin1Char('9')) || key == separator) {
        QString result = text();
        if (hasSelectedText())
            result.replace(selectionStart(), selectedText().size(), key);
        else
            result.insert(cursorPosition(), key);
        if (ReadNumber(result)) insert(QString(key));
    }
}

void GridCellEdit::ToggleSign() {
    const int caret = cursorPosition();
    QString toggled = text();
    const int shift = ToggleLeadingMinus(toggled);
    setText(toggled);
    setCursorPosition(std::max(0, caret + shift));
}
