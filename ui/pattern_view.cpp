#include "pattern_view.h"

#include "flat_spin_edit_integer.h"
#include "nk_label_float.h"

#include <QLabel>

PatternView::PatternView(const std::array<TNKLabelFloat*, 21>& campos, TFlatSpinEditInteger& numero,
                         QLabel& etiqueta, TFloatGrid& rejilla)
    : fields_(campos), number_(numero), label_(etiqueta), grid_(rejilla) {}

bool PatternView::Enabled(int campo) const { return fields_[campo]->isEnabled(); }

void PatternView::SetEnabled(int campo, bool habilitado) { fields_[campo]->setEnabled(habilitado); }

long double PatternView::Value(int campo) const { return fields_[campo]->Value(); }

void PatternView::SetValue(int campo, long double valor) { fields_[campo]->SetValue(valor); }

std::int32_t PatternView::PatternNumber() const { return number_.Value(); }

void PatternView::SetPatternNumber(std::int32_t valor) { number_.SetValue(valor); }

void PatternView::SetLargestPatternNumber(std::int32_t maximo) { number_.SetMaxValue(maximo); }

void PatternView::SetPatternLabel(const std::string& texto) { label_.setText(QString::fromStdString(texto)); }
