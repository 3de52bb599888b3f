// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The edit box of a labelled float field: holds an extended-precision value,
// filters every typed character so that the text stays a number within the
// display format's digit limits, shows the bare number while focused and
// the formatted number otherwise.

#include "display_format.h"

#include <QLineEdit>

class TFloatEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TFloatEdit(QWidget* parent = nullptr);

    // The number held; an empty text or a lone "-" counts as 0.
    long double Value() const { return value_; }
    // Shows the number (formatted unless the field has the focus). Throws
    // ProgramError when the number is not finite, negative in a
    // positive-only field, or has more integer digits than the format allows;
    // the field is then left as it was.
    void SetValue(long double value);

    const DisplayFormat& Format() const { return format_; }
    void SetDisplayFormat(const QString& pattern);

    bool PositiveOnly() const { return positiveOnly_; }
    void SetPositiveOnly(bool positiveOnly);

    // Paste and cut through the field's rules; errors go to the error box.
    void PasteChecked();
    void CutChecked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // A value wider than the field is drawn in a smaller face; one that does
    // not fit even then shows its beginning, never only its end, which would
    // read as a different number.
    void FitText();
    // The key rules (float_edit_key_rules.cpp): whether a typed character
    // goes in, and the sign key's toggle.
    bool AcceptsCharacter(QChar key);
    void ToggleSign();
    // The text with the selection (or, without one, nothing at the caret)
    // replaced by `insertion`.
    QString Replaced(const QString& insertion) const;
    void ShowBare(const QString& text);
    void ShowFormatted();
    void RefreshValue(const QString& text);

    DisplayFormat format_;
    long double value_ = 0;
    bool positiveOnly_ = false;
    // The formatted text is not re-read: it would lose the decimals it hides.
    bool showingFormatted_ = false;
};
