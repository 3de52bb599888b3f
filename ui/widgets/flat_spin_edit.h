// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the integer and float spin edits share: the accepted keys, the up and
// down steps (a beep in a read-only edit) and the clamp when the focus
// leaves. The text is free: a value is read from it only when asked for.

#include <QAbstractSpinBox>
#include <QLineEdit>

class TFlatSpinEdit : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit TFlatSpinEdit(QWidget* parent = nullptr);

    bool ReadOnly() const { return isReadOnly(); }
    void SetReadOnly(bool readOnly);

    QString Text() const { return lineEdit()->text(); }
    QLineEdit* Editor() const { return lineEdit(); }

    // Adds `steps` increments to the value and writes it back (clamped).
    void stepBy(int steps) override;

protected:
    // One increment up (+1) or down (-1) through the value writer.
    virtual void Step(int steps) = 0;
    // Writes the clamped value back when it differs from the value read.
    virtual void ClampShownValue() = 0;

    StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

    void Show(const QString& text);

private:
    // A value with an exponent can be wider than the narrow edits of the
    // training tab; a smaller face keeps the whole text in view instead of
    // scrolling its first digits away.
    void FitText();
};
