#pragma once
// The data-entry tab as the pattern operations see it: the twenty entry
// fields, the pattern-number field, the next-pattern caption and the grid.

#include "float_grid_view.h"
#include "data_tab_view.h"

#include <array>

class QLabel;
class TFlatSpinEditInteger;
class TNKLabelFloat;

class PatternView : public DataTabView {
public:
    // `campos` is indexed 1..20 like the fields themselves.
    PatternView(const std::array<TNKLabelFloat*, 21>& campos, TFlatSpinEditInteger& numero, QLabel& etiqueta,
                TFloatGrid& rejilla);

    bool Habilitado(int campo) const override;
    void SetHabilitado(int campo, bool habilitado) override;
    long double Valor(int campo) const override;
    void SetValor(int campo, long double valor) override;
    std::int32_t NumeroPatron() const override;
    void SetNumeroPatron(std::int32_t valor) override;
    void SetMaximoNumeroPatron(std::int32_t maximo) override;
    void SetPatternLabel(const std::string& texto) override;
    NumberTableView& Rejilla() override { return grid_; }

private:
    const std::array<TNKLabelFloat*, 21>& fields_;
    TFlatSpinEditInteger& number_;
    QLabel& label_;
    FloatGridView grid_;
};
