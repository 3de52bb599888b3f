// SPDX-License-Identifier: GPL-3.0-or-later
#include "flat_spin_edit_float.h"

#include "number_texts.h"
#include "regional_separators.h"

#include <algorithm>

TFlatSpinEditFloat::TFlatSpinEditFloat(QWidget* parent) : TFlatSpinEdit(parent) { Show(QStringLiteral("0")); }

double TFlatSpinEditFloat::Value() const {
    return ReadNumber(Text()).value_or(minValue_);
}

double TFlatSpinEditFloat::Clamped(double value) const {
    if (minValue_ == maxValue_) return value;
    return std::clamp(value, minValue_, std::max(minValue_, maxValue_));
}

void TFlatSpinEditFloat::SetValue(double value) {
    Show(GeneralNumberText(Clamped(value), precision_, digits_));
}

void TFlatSpinEditFloat::Step(int steps) { SetValue(Value() + increment_ * steps); }

void TFlatSpinEditFloat::ClampShownValue() {
    const double value = Value();
    if (Clamped(value) != value) SetValue(value);
}
