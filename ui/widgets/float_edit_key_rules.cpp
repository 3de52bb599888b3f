// SPDX-License-Identifier: GPL-3.0-or-later
// The float field's key rules: what each key typed into it does.

#include "float_edit.h"

#include "number_texts.h"
#include "regional_separators.h"

#include <QKeyEvent>
#include <QKeySequence>

#include <algorithm>

namespace {

QChar Separator() { return QLatin1Char(RegionalDecimalSeparator()); }

bool IsAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

constexpr QChar kBackspace = QChar(0x08);
constexpr QChar kEnter = QChar(0x0D);
constexpr QChar kEscape = QChar(0x1B);

}  // namespace

void TFloatEdit::keyPressEvent(QKeyEvent* event) {
    if (!isReadOnly() && event->matches(QKeySequence::Paste)) {
        PasteChecked();
        return;
    }
    if (!isReadOnly() && event->matches(QKeySequence::Cut)) {
        CutChecked();
        return;
    }
    QChar key;
    if ((event->modifiers() & Qt::KeypadModifier) &&
        (event->key() == Qt::Key_Period || event->key() == Qt::Key_Comma)) {
        key = Separator();
    } else if (event->text().size() == 1) {
        key = event->text()[0];
    }
    // Keys that type nothing (arrows, Delete, shortcuts) are the edit box's.
    const bool character = !key.isNull() && (key.unicode() >= 0x20 || key == kBackspace || key == kEnter || key == kEscape) &&
                           key.unicode() != 0x7F;
    if (!character) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (key == kEnter || key == kEscape) {
        // Left to the window's default and cancel buttons.
        event->ignore();
        return;
    }
    event->accept();
    if (!AcceptsCharacter(key)) return;
    if (key == kBackspace)
        backspace();
    else
        insert(QString(key));
}

bool TFloatEdit::AcceptsCharacter(QChar key) {
    if (isReadOnly()) return false;
    const QChar separator = Separator();
    if (key != kBackspace && key != QLatin1Char(' ') && key != QLatin1Char('-') && !IsAsciiDigit(key) && key != separator)
        return false;
    // A separator may replace the selected one, so only the text kept counts.
    if (key == separator && (format_.Decimals() == 0 || Replaced(QString()).contains(separator))) return false;
    if (key == QLatin1Char(' ')) {
        if (hasSelectedText() && selectedText() == text()) {
            setText(QStringLiteral("0"));
            selectAll();
        }
        return false;
    }
    if (key == QLatin1Char('-')) {
        if (!positiveOnly_ && value_ != 0) ToggleSign();
        return false;
    }
    const bool signed_ = text().startsWith(QLatin1Char('-'));
    if (signed_ && !hasSelectedText() && cursorPosition() == 0) return false;
    if (key == kBackspace && signed_ && !hasSelectedText() && cursorPosition() == 1) return false;

    QString result;
    if (key == kBackspace) {
        result = text();
        if (hasSelectedText())
            result.remove(selectionStart(), selectedText().size());
        else if (cursorPosition() > 0)
            result.remove(cursorPosition() - 1, 1);
    } else {
        result = Replaced(QString(key));
    }
    if (result.isEmpty() || result == QLatin1String("-")) result = QStringLiteral("0");
    if (result.startsWith(QLatin1Char('-'))) result.remove(0, 1);
    const qsizetype point = result.indexOf(separator);
    const qsizetype integerDigits = point < 0 ? result.size() : point;
    const qsizetype decimals = point < 0 ? 0 : result.size() - point - 1;
    return integerDigits <= format_.IntegerDigits() && decimals <= format_.Decimals();
}

void TFloatEdit::ToggleSign() {
    const bool selected = hasSelectedText();
    const int start = selected ? selectionStart() : cursorPosition();
    const int length = selected ? static_cast<int>(selectedText().size()) : 0;
    const bool caretAtStart = selected && cursorPosition() == start;
    QString toggled = text();
    const int shift = ToggleLeadingMinus(toggled);
    setText(toggled);
    // The caret stays beside the digit it was beside.
    const int newStart = std::max(0, start + shift);
    if (!selected)
        setCursorPosition(newStart);
    else if (caretAtStart)
        setSelection(newStart + length, -length);
    else
        setSelection(newStart, length);
}
