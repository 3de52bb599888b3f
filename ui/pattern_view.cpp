// SPDX-License-Identifier: GPL-3.0-or-later
#include "pattern_view.h"

#include "flat_spin_edit_integer.h"
#include "nk_label_float.h"

#include <QLabel>

PatternView::PatternView(const std::array<TNKLabelFloat*, 21>& fields, TFlatSpinEditInteger& number,
                         QLabel& label, TFloatGrid& grid)
    : fields_(fields), number_(number), label_(label), grid_(grid) {}

bool PatternView::Enabled(int field) const { return fields_[field]->isEnabled(); }

void PatternView::SetEnabled(int field, bool enabled) { fields_[field]->setEnabled(enabled); }

long double PatternView::Value(int field) const { return fields_[field]->Value(); }

void PatternView::SetValue(int field, long double value) { fields_[field]->SetValue(value); }

std::int32_t PatternView::PatternNumber() const { return number_.Value(); }

void PatternView::SetPatternNumber(std::int32_t value) { number_.SetValue(value); }

void PatternView::SetLargestPatternNumber(std::int32_t largest) { number_.SetMaxValue(largest); }

void PatternView::SetPatternLabel(const std::string& text) { label_.setText(QString::fromStdString(text)); }
