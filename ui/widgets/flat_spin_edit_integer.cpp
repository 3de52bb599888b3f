// SPDX-License-Identifier: GPL-3.0-or-later
#include "flat_spin_edit_integer.h"

#include "number_texts.h"

#include <algorithm>
#include <limits>

TFlatSpinEditInteger::TFlatSpinEditInteger(QWidget* parent) : TFlatSpinEdit(parent) { Show(QStringLiteral("0")); }

std::int32_t TFlatSpinEditInteger::Value() const { return ReadWholeNumber(Text()).value_or(minValue_); }

std::int32_t TFlatSpinEditInteger::Clamped(std::int64_t value) const {
    if (minValue_ != maxValue_) value = std::clamp<std::int64_t>(value, minValue_, std::max(minValue_, maxValue_));
    // Steps past the ends of the integer range stop there instead of wrapping.
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

void TFlatSpinEditInteger::SetValue(std::int32_t value) { Show(QString::number(Clamped(value))); }

void TFlatSpinEditInteger::Step(int steps) {
    Show(QString::number(Clamped(std::int64_t{Value()} + std::int64_t{increment_} * steps)));
}

void TFlatSpinEditInteger::ClampShownValue() {
    const std::int32_t value = Value();
    if (Clamped(value) != value) SetValue(value);
}
