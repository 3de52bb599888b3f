// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A labelled float field: a caption above a float edit box. The caption is
// also the accessible name of the edit, so screen readers announce it.

#include "float_edit.h"

#include <QLabel>
#include <QWidget>

class TNKLabelFloat : public QWidget {
    Q_OBJECT
public:
    explicit TNKLabelFloat(QWidget* parent = nullptr);

    QString Caption() const;
    void SetCaption(const QString& caption);

    long double Value() const { return edit_->Value(); }
    // See TFloatEdit::SetValue for the errors it throws.
    void SetValue(long double value) { edit_->SetValue(value); }

    void SetDisplayFormat(const QString& pattern) { edit_->SetDisplayFormat(pattern); }
    void SetPositiveOnly(bool positiveOnly) { edit_->SetPositiveOnly(positiveOnly); }
    void SetReadOnly(bool readOnly) { edit_->setReadOnly(readOnly); }

    TFloatEdit* Edit() const { return edit_; }
    QLabel* Label() const { return label_; }

private:
    QLabel* label_;
    TFloatEdit* edit_;
};
