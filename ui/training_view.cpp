// SPDX-License-Identifier: GPL-3.0-or-later
#include "training_view.h"

#include "flat_spin_edit_float.h"
#include "flat_spin_edit_integer.h"
#include "main_window.h"
#include "number_texts.h"
#include "progress_window.h"

#include <QCheckBox>
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

// The progress window's count moves this often, so a run is seen to advance
// even between the chart's repaints.
constexpr qint64 kProgressIntervalMs = 100;

}  // namespace

TrainingView::TrainingView(TForm1& form)
    : form_(form), expected_(*form.FloatGrid2), obtained_(*form.FloatGrid3), chart_(*form.Chart1), epochs_(*form.Chart1) {
    // Any change of the field's text makes the next read parse it again.
    cycleCountChange_ = QObject::connect(form.FlatSpinEditInteger4->Editor(), &QLineEdit::textChanged,
                                     [this] { cycleCountRead_ = false; });
}

TrainingView::~TrainingView() { QObject::disconnect(cycleCountChange_); }

std::int32_t TrainingView::EarlyStopEpochs() const {
    return form_.earlyStop->isChecked() ? std::max(form_.earlyStopEpochs->Value(), 1) : 0;
}

StopCriterion TrainingView::Criterion() const {
    if (form_.FlatRadioButton1->isChecked()) return StopCriterion::CycleCount;
    if (form_.FlatRadioButton2->isChecked()) return StopCriterion::LargestError;
    return StopCriterion::SmallestError;
}

std::int32_t TrainingView::CycleCount() const {
    if (!cycleCountRead_) {
        cycleCount_ = form_.FlatSpinEditInteger4->Value();
        cycleCountRead_ = true;
    }
    return cycleCount_;
}
std::int32_t TrainingView::LargestErrorThreshold() const { return form_.FlatSpinEditInteger9->Value(); }
std::int32_t TrainingView::SmallestErrorThreshold() const { return form_.FlatSpinEditInteger10->Value(); }
void TrainingView::SetCycleCount(std::int32_t value) { form_.FlatSpinEditInteger4->SetValue(value); }
void TrainingView::SetLargestErrorThreshold(std::int32_t value) { form_.FlatSpinEditInteger9->SetValue(value); }
void TrainingView::SetSmallestErrorThreshold(std::int32_t value) { form_.FlatSpinEditInteger10->SetValue(value); }

std::int64_t TrainingView::TotalCycles() const { return form_.FlatSpinEditInteger5->Value(); }
void TrainingView::SetTotalCycles(std::int64_t value) { form_.FlatSpinEditInteger5->SetValue(Saturated(value)); }
std::int64_t TrainingView::TrainingTime() const { return form_.FlatSpinEditInteger6->Value(); }
void TrainingView::SetTrainingTime(std::int64_t value) {
    form_.FlatSpinEditInteger6->SetValue(Saturated(value));
}

void TrainingView::SetLargestError(double value) { form_.FlatSpinEditFloat1->SetValue(value); }
void TrainingView::SetSmallestError(double value) { form_.FlatSpinEditFloat2->SetValue(value); }

// Asked once, as a run starts, after OpenProgress (which may keep the curve).
EpochErrorSeries* TrainingView::EpochErrors() {
    if (!form_.epochErrors->isChecked()) return nullptr;
    epochs_.BeginRun();
    return &epochs_;
}

void TrainingView::OpenProgress() {
    form_.BeginRun();
    pointsAtStart_ = chart_.PointCount();
    sinceProgress_.invalidate();
}

void TrainingView::CloseProgress() noexcept { form_.EndRun(); }

void TrainingView::ProcessMessages() {
    if (!sinceProgress_.isValid() || sinceProgress_.elapsed() >= kProgressIntervalMs) ShowProgress();
    QCoreApplication::processEvents();
}

void TrainingView::ShowProgress() {
    sinceProgress_.start();
    TForm2* progress = form_.Form2.get();
    if (!progress) return;
    const auto integer = [](std::int64_t n) { return FormattedNumber(DisplayFormat("#,##0"), n); };
    const std::int64_t done = chart_.PointCount() - pointsAtStart_;
    if (Criterion() == StopCriterion::CycleCount) {
        const std::int64_t total = CycleCount();
        progress->ShowProgress(QStringLiteral("%1 de %2 iteraciones").arg(integer(done), integer(total)),
                                total > 0 ? double(done) / double(total) : 0.0);
    } else {
        progress->ShowProgress(QStringLiteral("%1 iteraciones, último error %2 %")
                                    .arg(integer(done), GeneralNumberText(chart_.Last(), 6, 2)),
                                0.0);
    }
}
