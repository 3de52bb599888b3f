#include "float_edit.h"

#include "error_report.h"
#include "flat_look.h"
#include "number_texts.h"
#include "program_error.h"
#include "regional_separators.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QContextMenuEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>
#include <optional>

namespace {

QChar Separator() { return QLatin1Char(RegionalDecimalSeparator()); }

bool IsAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

constexpr QChar kBackspace = QChar(0x08);
constexpr QChar kEnter = QChar(0x0D);
constexpr QChar kEscape = QChar(0x1B);

// The text with the selection (or, without one, nothing at the caret)
// replaced by `insertion`.
QString Replaced(const QLineEdit& edit, const QString& insertion) {
    QString text = edit.text();
    if (edit.hasSelectedText()) return text.replace(edit.selectionStart(), edit.selectedText().size(), insertion);
    return text.insert(edit.cursorPosition(), insertion);
}

// The number a text in the field stands for: empty, "-" and any text that is
// no number count as 0.
long double NumberOf(const QString& text) {
    return ReadNumber(text).value_or(0.0);
}

}  // namespace

TFloatEdit::TFloatEdit(QWidget* parent) : QLineEdit(parent) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Drops and input methods would put text in without the key rules.
    setAcceptDrops(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    connect(this, &QLineEdit::textChanged, this, &TFloatEdit::RefreshValue);
    connect(this, &QLineEdit::textChanged, this, &TFloatEdit::FitText);
    ShowBare(QStringLiteral("0"));
}

void TFloatEdit::SetDisplayFormat(const QString& pattern) {
    format_ = DisplayFormat(pattern.toStdString());
    if (!hasFocus()) ShowFormatted();
}

void TFloatEdit::SetPositiveOnly(bool positiveOnly) { positiveOnly_ = positiveOnly; }

void TFloatEdit::SetValue(long double value) {
    const QString bare = BareNumberText(value);
    if (bare.isEmpty())
        throw ProgramError((GeneralNumberText(value, 15, 0) + " no representa un número en coma flotante válido").toStdString());
    if (positiveOnly_ && value < 0) throw ProgramError("No se admiten números negativos");
    const qsizetype point = bare.indexOf(Separator());
    const qsizetype integerDigits = (point < 0 ? bare.size() : point) - (bare.startsWith(QLatin1Char('-')) ? 1 : 0);
    if (integerDigits > format_.IntegerDigits())
        throw ProgramError((FixedNumberText(value, 2) + " tiene demasiados dígitos significativos").toStdString());
    if (hasFocus()) {
        ShowBare(bare);
        // Showing the text re-read it to 15 digits; keep the number given.
        value_ = value;
    } else {
        value_ = value;
        ShowFormatted();
    }
}

void TFloatEdit::RefreshValue(const QString& text) {
    if (showingFormatted_) return;
    value_ = NumberOf(text);
}

void TFloatEdit::ShowBare(const QString& text) {
    showingFormatted_ = false;
    setText(text);
}

void TFloatEdit::ShowFormatted() {
    showingFormatted_ = true;
    setText(FormattedNumber(format_, value_));
}

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
    if (key == separator && (format_.Decimals() == 0 || Replaced(*this, QString()).contains(separator))) return false;
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
        result = Replaced(*this, QString(key));
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

void TFloatEdit::PasteChecked() {
    RunGuarded([this] {
        const QString result = Replaced(*this, QGuiApplication::clipboard()->text());
        const std::optional<double> number = ReadNumber(result);
        if (!number) throw ProgramError((result + " no representa un número en coma flotante válido").toStdString());
        SetValue(*number);
        if (hasFocus()) selectAll();
    });
}

void TFloatEdit::CutChecked() {
    if (!hasSelectedText()) return;
    const int start = selectionStart();
    const QString remainder = Replaced(*this, QString());
    QGuiApplication::clipboard()->setText(selectedText());
    RunGuarded([&] {
        SetValue(NumberOf(remainder));
        if (hasFocus()) setCursorPosition(std::min(start, static_cast<int>(text().size())));
    });
}

void TFloatEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (event->reason() == Qt::PopupFocusReason) return;
    if (showingFormatted_) {
        QString bare = text();
        if (!RegionalGroupSeparator().isEmpty()) bare.remove(RegionalGroupSeparator());
        ShowBare(bare);
    }
    selectAll();
}

void TFloatEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason) ShowFormatted();
    FitText();
}

void TFloatEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    FitText();
}

void TFloatEdit::FitText() {
    QStyleOptionFrame option;
    initStyleOption(&option);
    // The edit box keeps 2 pixels clear on either side of its text.
    const int room = style()->subElementRect(QStyle::SE_LineEditContents, &option, this).width() - 5;
    QFont face = parentWidget() ? parentWidget()->font() : QApplication::font(this);
    for (int pixels = QFontInfo(face).pixelSize(); pixels > 7 && QFontMetrics(face).horizontalAdvance(text()) > room;)
        face.setPixelSize(--pixels);
    setFont(face);
    if (!hasFocus() && QFontMetrics(face).horizontalAdvance(text()) > room) setCursorPosition(0);
}

void TFloatEdit::contextMenuEvent(QContextMenuEvent* event) {
    // The edit box's own menu would paste and cut past the checks; this one
    // has the same entries (and translations) with cut and paste checked.
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const bool editable = !isReadOnly();
    const auto add = [&](const char* text, const char* name, bool enabled, auto slot) {
        QAction* action = menu->addAction(QCoreApplication::translate("QLineEdit", text), this, slot);
        action->setObjectName(QLatin1String(name));
        action->setEnabled(enabled);
    };
    add("&Undo", "edit-undo", editable && isUndoAvailable(), &QLineEdit::undo);
    add("&Redo", "edit-redo", editable && isRedoAvailable(), &QLineEdit::redo);
    menu->addSeparator();
    add("Cu&t", "edit-cut", editable && hasSelectedText(), &TFloatEdit::CutChecked);
    add("&Copy", "edit-copy", hasSelectedText(), &QLineEdit::copy);
    add("&Paste", "edit-paste", editable && !QGuiApplication::clipboard()->text().isEmpty(), &TFloatEdit::PasteChecked);
    add("Delete", "edit-delete", editable && hasSelectedText(), &QLineEdit::del);
    menu->addSeparator();
    add("Select All", "select-all", !text().isEmpty(), &QLineEdit::selectAll);
    menu->popup(event->globalPos());
}

void TFloatEdit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (ChangesReadOnlyLook(event)) ShowReadOnlyLook(this, isReadOnly());
}
