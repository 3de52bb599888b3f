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
    // `campos` is indexed 1..20 like the fields themselves.
    PatternView(const std::array<TNKLabelFloat*, 21>& campos, TFlatSpinEditInteger& numero, QLabel& etiqueta,
                TFloatGrid& rejilla);

    bool Enabled(int campo) const override;
    void SetEnabled(int campo, bool habilitado) override;
    long double Value(int campo) const override;
    void SetValue(int campo, long double valor) override;
    std::int32_t PatternNumber() const override;
    void SetPatternNumber(std::int32_t valor) override;
    void SetLargestPatternNumber(std::int32_t maximo) override;
    void SetPatternLabel(const std::string& texto) override;
    NumberTableView& PatternGrid() override { return grid_; }

private:
    const std::array<TNKLabelFloat*, 21>& fields_;
    TFlatSpinEditInteger& number_;
    QLabel& label_;
    FloatGridView grid_;
};
