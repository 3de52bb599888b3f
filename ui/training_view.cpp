#include "training_view.h"

#include "flat_spin_edit_float.h"
#include "flat_spin_edit_integer.h"
#include "form1.h"
#include "form2.h"
#include "number_texts.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>
#include <limits>

namespace {

// The totals' fields hold 32-bit values; a longer total stays at the largest.
std::int32_t Saturated(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

TrainingView::TrainingView(TForm1& form)
    : form_(form), esperadas_(*form.FloatGrid2), obtenidas_(*form.FloatGrid3), grafica_(*form.Chart1) {
    // Any change of the field's text makes the next read parse it again.
    cambioCiclos_ = QObject::connect(form.FlatSpinEditInteger4->Editor(), &QLineEdit::textChanged,
                                     [this] { numeroCiclosLeido_ = false; });
}

TrainingView::~TrainingView() { QObject::disconnect(cambioCiclos_); }

CriterioParada TrainingView::Criterio() const {
    if (form_.FlatRadioButton1->isChecked()) return CriterioParada::NumeroCiclos;
    if (form_.FlatRadioButton2->isChecked()) return CriterioParada::ErrorMaximo;
    return CriterioParada::ErrorMinimo;
}

std::int32_t TrainingView::NumeroCiclos() const {
    if (!numeroCiclosLeido_) {
        numeroCiclos_ = form_.FlatSpinEditInteger4->Value();
        numeroCiclosLeido_ = true;
    }
    return numeroCiclos_;
}
std::int32_t TrainingView::UmbralErrorMaximo() const { return form_.FlatSpinEditInteger9->Value(); }
std::int32_t TrainingView::UmbralErrorMinimo() const { return form_.FlatSpinEditInteger10->Value(); }
void TrainingView::SetNumeroCiclos(std::int32_t valor) { form_.FlatSpinEditInteger4->SetValue(valor); }
void TrainingView::SetUmbralErrorMaximo(std::int32_t valor) { form_.FlatSpinEditInteger9->SetValue(valor); }
void TrainingView::SetUmbralErrorMinimo(std::int32_t valor) { form_.FlatSpinEditInteger10->SetValue(valor); }

std::int64_t TrainingView::CiclosTotales() const { return form_.FlatSpinEditInteger5->Value(); }
void TrainingView::SetCiclosTotales(std::int64_t valor) { form_.FlatSpinEditInteger5->SetValue(Saturated(valor)); }
std::int64_t TrainingView::TiempoEntrenamiento() const { return form_.FlatSpinEditInteger6->Value(); }
void TrainingView::SetTiempoEntrenamiento(std::int64_t valor) {
    form_.FlatSpinEditInteger6->SetValue(Saturated(valor));
}

void TrainingView::SetErrorMaximo(double valor) { form_.FlatSpinEditFloat1->SetValue(valor); }
void TrainingView::SetErrorMinimo(double valor) { form_.FlatSpinEditFloat2->SetValue(valor); }

void TrainingView::AbrirProgreso() {
    form_.BeginRun();
    puntosAlEmpezar_ = grafica_.NumeroPuntos();
    desdeAvance_.invalidate();
}

void TrainingView::CerrarProgreso() noexcept { form_.EndRun(); }

void TrainingView::ProcesarMensajes() {
    if (!desdeAvance_.isValid() || desdeAvance_.elapsed() >= ErrorChart::kRefreshIntervalMs) MostrarAvance();
    QCoreApplication::processEvents();
}

void TrainingView::MostrarAvance() {
    desdeAvance_.start();
    TForm2* progreso = form_.Form2.get();
    if (!progreso) return;
    const auto entero = [](std::int64_t n) { return FormattedNumber(DisplayFormat("#,##0"), n); };
    const std::int64_t hechas = grafica_.NumeroPuntos() - puntosAlEmpezar_;
    if (Criterio() == CriterioParada::NumeroCiclos) {
        const std::int64_t total = NumeroCiclos();
        progreso->MostrarAvance(QStringLiteral("%1 de %2 iteraciones").arg(entero(hechas), entero(total)),
                                total > 0 ? double(hechas) / double(total) : 0.0);
    } else {
        progreso->MostrarAvance(QStringLiteral("%1 iteraciones, último error %2 %")
                                    .arg(entero(hechas), GeneralNumberText(grafica_.Ultimo(), 6, 2)),
                                0.0);
    }
}
