// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A real spin edit shown in the general format (8 significant digits and at
// least 2 exponent digits unless set otherwise). Clamps like the integer
// edit: not at all when MinValue equals MaxValue.

#include "flat_spin_edit.h"

class TFlatSpinEditFloat : public TFlatSpinEdit {
    Q_OBJECT
    // Read by screen readers through the spin box's accessible value.
    Q_PROPERTY(double value READ Value WRITE SetValue)
    Q_PROPERTY(double minimum READ MinValue WRITE SetMinValue)
    Q_PROPERTY(double maximum READ MaxValue WRITE SetMaxValue)
    Q_PROPERTY(double stepSize READ Increment WRITE SetIncrement)
public:
    explicit TFlatSpinEditFloat(QWidget* parent = nullptr);

    // The text read as a number; a text that is not a number reads MinValue.
    double Value() const;
    void SetValue(double value);

    double MinValue() const { return minValue_; }
    void SetMinValue(double minValue) { minValue_ = minValue; }
    double MaxValue() const { return maxValue_; }
    void SetMaxValue(double maxValue) { maxValue_ = maxValue; }
    double Increment() const { return increment_; }
    void SetIncrement(double increment) { increment_ = increment; }
    int Precision() const { return precision_; }
    void SetPrecision(int precision) { precision_ = precision; }
    int Digits() const { return digits_; }
    void SetDigits(int digits) { digits_ = digits; }

    double Clamped(double value) const;

protected:
    void Step(int steps) override;
    void ClampShownValue() override;

private:
    double minValue_ = 0;
    double maxValue_ = 0;
    double increment_ = 0.5;
    int precision_ = 8;
    int digits_ = 2;
};
