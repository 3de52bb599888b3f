// SPDX-License-Identifier: GPL-3.0-or-later
#include "float_edit.h"

#include "error_report.h"
#include "flat_look.h"
#include "number_texts.h"
#include "program_error.h"
#include "quoted_text.h"
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

// The number a text in the field stands for: empty, "-" and any text that is
// no number count as 0.
long double NumberOf(const QString& text) {
    return ReadNumber(text).value_or(0.0);
}

// No number the program reads is longer than a line of its files: a longer
// paste is refused before it is copied.
constexpr qsizetype kLongestNumberText = 4096;

// "<text> no representa un número en coma flotante válido", the text quoted
// briefly: only its start is converted, however long it is.
std::string NotANumberMessage(QStringView text) {
    // Two UTF-16 units per character at most, and one character more than
    // a quote shows, so that the quote knows whether more follows.
    const QStringView start = text.left(2 * static_cast<qsizetype>(kQuotedCharacters) + 2);
    return QuotedText(start.toUtf8().toStdString()) + " no representa un número en coma flotante válido";
}

}  // namespace

QString TFloatEdit::Replaced(const QString& insertion) const {
    QString edited = text();
    if (hasSelectedText()) return edited.replace(selectionStart(), selectedText().size(), insertion);
    return edited.insert(cursorPosition(), insertion);
}

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
        throw ProgramError(NotANumberMessage(GeneralNumberText(value, 15, 0)));
    if (positiveOnly_ && value < 0) throw ProgramError("No se admiten números negativos");
    const qsizetype point = bare.indexOf(QLatin1Char(RegionalDecimalSeparator()));
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

void TFloatEdit::PasteChecked() {
    RunGuarded([this] {
        const QString pasted = QGuiApplication::clipboard()->text();
        if (pasted.size() > kLongestNumberText) throw ProgramError(NotANumberMessage(pasted));
        const QString result = Replaced(pasted);
        const std::optional<double> number = ReadNumber(result);
        if (!number) throw ProgramError(NotANumberMessage(result));
        SetValue(*number);
        if (hasFocus()) selectAll();
    });
}

void TFloatEdit::CutChecked() {
    if (!hasSelectedText()) return;
    const int start = selectionStart();
    const QString remainder = Replaced(QString());
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
