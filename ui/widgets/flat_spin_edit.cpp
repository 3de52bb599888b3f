// SPDX-License-Identifier: GPL-3.0-or-later
#include "flat_spin_edit.h"

#include "flat_look.h"
#include "regional_separators.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QStyle>
#include <QStyleOptionSpinBox>

TFlatSpinEdit::TFlatSpinEdit(QWidget* parent) : QAbstractSpinBox(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setAcceptDrops(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    connect(lineEdit(), &QLineEdit::textChanged, this, &TFlatSpinEdit::FitText);
}

void TFlatSpinEdit::SetReadOnly(bool readOnly) { setReadOnly(readOnly); }

void TFlatSpinEdit::stepBy(int steps) {
    if (isReadOnly()) {
        QApplication::beep();
        return;
    }
    Step(steps);
}

QAbstractSpinBox::StepEnabled TFlatSpinEdit::stepEnabled() const {
    // Both halves always answer: a read-only edit beeps, a bound clamps.
    return StepUpEnabled | StepDownEnabled;
}

void TFlatSpinEdit::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Up:
            stepBy(1);
            event->accept();
            return;
        case Qt::Key_Down:
            stepBy(-1);
            event->accept();
            return;
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            event->ignore();
            return;
        default:
            break;
    }
    const QString typed = event->text();
    if (typed.size() != 1) {
        QAbstractSpinBox::keyPressEvent(event);
        return;
    }
    const QChar key = typed[0];
    const bool enter = key == QChar(0x0D);
    const bool control = key.unicode() < 0x20 || key.unicode() == 0x7F;
    const bool accepted = (control && !enter) || (key >= QLatin1Char('0') && key <= QLatin1Char('9')) ||
                          key == QLatin1Char('+') || key == QLatin1Char('-') ||
                          key == QLatin1Char(RegionalDecimalSeparator());
    if (!accepted) {
        event->accept();
        QApplication::beep();
        return;
    }
    // Sent straight to the edit box: the spin box's own Enter and
    // validation would rewrite the text.
    if (control) {
        QAbstractSpinBox::keyPressEvent(event);
        return;
    }
    if (!isReadOnly()) lineEdit()->insert(typed);
    event->accept();
}

void TFlatSpinEdit::focusOutEvent(QFocusEvent* event) {
    QAbstractSpinBox::focusOutEvent(event);
    ClampShownValue();
}

void TFlatSpinEdit::wheelEvent(QWheelEvent* event) {
    // Scrolling past an edit must not change it.
    event->ignore();
}

void TFlatSpinEdit::changeEvent(QEvent* event) {
    QAbstractSpinBox::changeEvent(event);
    if (ChangesReadOnlyLook(event)) ShowReadOnlyLook(this, isReadOnly());
}

void TFlatSpinEdit::resizeEvent(QResizeEvent* event) {
    QAbstractSpinBox::resizeEvent(event);
    FitText();
}

void TFlatSpinEdit::FitText() {
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    const int room = style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxEditField, this).width() - 4;
    const QString text = lineEdit()->text();
    QFont face = font();
    for (int pixels = QFontInfo(face).pixelSize(); pixels > 7 && QFontMetrics(face).horizontalAdvance(text) > room;) {
        face.setPixelSize(--pixels);
    }
    lineEdit()->setFont(face);
    // Beyond the smallest face, the beginning stays in view rather than the end.
    if (!hasFocus() && QFontMetrics(face).horizontalAdvance(text) > room) lineEdit()->setCursorPosition(0);
}

void TFlatSpinEdit::Show(const QString& text) { lineEdit()->setText(text); }
