#include "pattern_view.h"

#include "flat_spin_edit_integer.h"
#include "nk_label_float.h"

#include <QLabel>

PatternView::PatternView(const std::array<TNKLabelFloat*, 21>& campos, TFlatSpinEditInteger& numero,
                         QLabel& etiqueta, TFloatGrid& rejilla)
    : fields_(campos), number_(numero), label_(etiqueta), grid_(rejilla) {}

bool PatternView::Habilitado(int campo) const { return fields_[campo]->isEnabled(); }

void PatternView::SetHabilitado(int campo, bool habilitado) { fields_[campo]->setEnabled(habilitado); }

long double PatternView::Valor(int campo) const { return fields_[campo]->Value(); }

void PatternView::SetValor(int campo, long double valor) { fields_[campo]->SetValue(valor); }

std::int32_t PatternView::NumeroPatron() const { return number_.Value(); }

void PatternView::SetNumeroPatron(std::int32_t valor) { number_.SetValue(valor); }

void PatternView::SetMaximoNumeroPatron(std::int32_t maximo) { number_.SetMaxValue(maximo); }

void PatternView::SetPatternLabel(const std::string& texto) { label_.setText(QString::fromStdString(texto)); }
