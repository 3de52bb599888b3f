#include "pattern_view.h"

#include "flat_spin_edit_integer.h"
#include "nk_label_float.h"

#include <QLabel>

PatternView::PatternView(const std::array<TNKLabelFloat*, 21>& campos, TFlatSpinEditInteger& numero,
                         QLabel& etiqueta, TFloatGrid& rejilla)
    : campos_(campos), numero_(numero), etiqueta_(etiqueta), rejilla_(rejilla) {}

bool PatternView::Habilitado(int campo) const { return campos_[campo]->isEnabled(); }

void PatternView::SetHabilitado(int campo, bool habilitado) { campos_[campo]->setEnabled(habilitado); }

long double PatternView::Valor(int campo) const { return campos_[campo]->Value(); }

void PatternView::SetValor(int campo, long double valor) { campos_[campo]->SetValue(valor); }

std::int32_t PatternView::NumeroPatron() const { return numero_.Value(); }

void PatternView::SetNumeroPatron(std::int32_t valor) { numero_.SetValue(valor); }

void PatternView::SetMaximoNumeroPatron(std::int32_t maximo) { numero_.SetMaxValue(maximo); }

void PatternView::SetEtiqueta(const std::string& texto) { etiqueta_.setText(QString::fromStdString(texto)); }
