// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The data-entry tab as the pattern operations see it: the twenty entry
// fields, the pattern-number field, the next-pattern caption and the grid.

#include "data_tab_view.h"
#include "float_grid_view.h"

#include <array>

class QLabel;
class TFlatSpinEditInteger;
class TNKLabelFloat;

class PatternView : public DataTabView {
public:
    // `fields` is indexed 1..20 like the fields themselves.
    PatternView(const std::array<TNKLabelFloat*, 21>& fields, TFlatSpinEditInteger& number, QLabel& label,
                TFloatGrid& grid);

    bool Enabled(int field) const override;
    void SetEnabled(int field, bool enabled) override;
    long double Value(int field) const override;
    void SetValue(int field, long double value) override;
    std::int32_t PatternNumber() const override;
    void SetPatternNumber(std::int32_t value) override;
    void SetLargestPatternNumber(std::int32_t largest) override;
    void SetPatternLabel(const std::string& text) override;
    NumberTableView& PatternGrid() override { return grid_; }

private:
    const std::array<TNKLabelFloat*, 21>& fields_;
    TFlatSpinEditInteger& number_;
    QLabel& label_;
    FloatGridView grid_;
};
