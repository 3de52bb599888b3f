// SPDX-License-Identifier: GPL-3.0-or-later
#include "step_view.h"

#include "error_report.h"
#include "learning_choices.h"
#include "network.h"
#include "pattern_result.h"
#include "regional_separators.h"
#include "step_export.h"
#include "step_phases.h"
#include "training_run.h"
#include "value_text.h"
#include "work_state.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString JoinValues(const std::vector<double>& values, int decimals) {
    QStringList texts;
    for (double v : values) texts << RoundedText(v, decimals);
    return "(" + texts.join("; ") + ")";
}

bool SameNetwork(const NetworkSnapshot& a, const NetworkSnapshot& b) {
    return a.inputs == b.inputs && a.hidden == b.hidden && a.outputs == b.outputs && a.function == b.function &&
           a.hiddenWeights == b.hiddenWeights && a.outputWeights == b.outputWeights;
}

// An error in percent: two decimals fewer than the values, as it is a hundred times larger.
QString PercentText(double error, int decimals) { return RoundedText(error, std::max(1, decimals - 2)) + " %"; }

QPushButton* Button(const QString& caption, const char* name) {
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

StepView::StepView(TRedNeuronal& network, WorkState& state, TrainingTabView& training, LearningChoices& choices,
                   QWidget* parent)
    : QWidget(parent), network_(network), state_(state), training_(training), choices_(choices) {
    setObjectName("stepView");
    patternChooser_ = new QSpinBox;
    patternChooser_->setObjectName("patternChooser");
    patternChooser_->setAccessibleName("Patrón");
    patternChooser_->setRange(1, kMaxPatterns);
    patternChooser_->setValue(choices_.Pattern());
    decimalsChooser_ = new QSpinBox;
    decimalsChooser_->setObjectName("decimalsChooser");
    decimalsChooser_->setAccessibleName("Decimales");
    decimalsChooser_->setRange(1, 15);
    decimalsChooser_->setValue(choices_.Decimals());
    computeButton_ = Button("Calcular Paso", "computeStepButton");
    applyButton_ = Button("Aplicar Paso", "applyStepButton");
    copyButton_ = Button("Copiar", "copyStepButton");
    copyButton_->setToolTip("Copia el paso entero, con 15 cifras, como texto separado por tabuladores");
    previousButton_ = Button("◀", "previousPhaseButton");
    previousButton_->setAccessibleName("Fase anterior");
    previousButton_->setToolTip("Fase anterior del paso");
    nextButton_ = Button("▶", "nextPhaseButton");
    nextButton_->setAccessibleName("Fase siguiente");
    nextButton_->setToolTip("Fase siguiente del paso");
    for (QPushButton* button : {previousButton_, nextButton_})
        button->setFixedWidth(button->fontMetrics().horizontalAdvance("▶") + 24);
    auto* chooserLabel = new QLabel("Patrón");
    chooserLabel->setBuddy(patternChooser_);
    auto* decimalsLabel = new QLabel("Decimales");
    decimalsLabel->setBuddy(decimalsChooser_);
    patternLabel_ = new QLabel;
    patternLabel_->setObjectName("stepPatternLabel");
    // Many inputs wrap onto more lines rather than widen the window.
    patternLabel_->setWordWrap(true);
    phaseTitle_ = new QLabel;
    phaseTitle_->setObjectName("phaseTitle");
    resultLine_ = new QLabel;
    resultLine_->setObjectName("stepResultLine");
    resultLine_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    messageLabel_ = new QLabel;
    messageLabel_->setObjectName("stepMessage");
    messageLabel_->setWordWrap(true);
    messageLabel_->hide();

    // One phase at a time, each with the whole height: up to a 2-4-2
    // network every row of a phase is in sight at the window's first size.
    pages_ = new StepPhases;
    auto* controls = new QHBoxLayout;
    controls->addWidget(chooserLabel);
    controls->addWidget(patternChooser_);
    controls->addWidget(computeButton_);
    controls->addWidget(applyButton_);
    controls->addStretch(1);
    controls->addWidget(decimalsLabel);
    controls->addWidget(decimalsChooser_);
    controls->addWidget(copyButton_);
    auto* phaseBar = new QHBoxLayout;
    phaseBar->addWidget(patternLabel_, 1);
    phaseBar->addWidget(previousButton_);
    phaseBar->addWidget(phaseTitle_);
    phaseBar->addWidget(nextButton_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->setSpacing(1);
    layout->addLayout(controls);
    layout->addLayout(phaseBar);
    layout->addWidget(resultLine_);
    layout->addWidget(messageLabel_);
    layout->addWidget(pages_, 1);

    connect(computeButton_, &QPushButton::clicked, this, [this] { RunGuarded([this] { ComputeClick(); }); });
    connect(applyButton_, &QPushButton::clicked, this, [this] { RunGuarded([this] { ApplyClick(); }); });
    connect(copyButton_, &QPushButton::clicked, this, [this] { CopyClick(); });
    connect(previousButton_, &QPushButton::clicked, this, [this] { ShowPhase(Phase() - 1); });
    connect(nextButton_, &QPushButton::clicked, this, [this] { ShowPhase(Phase() + 1); });
    connect(patternChooser_, &QSpinBox::valueChanged, this, [this](int pattern) {
        choices_.SetPattern(pattern);
        if (!step_) Refresh();
    });
    connect(&choices_, &LearningChoices::PatternChanged, patternChooser_, &QSpinBox::setValue);
    connect(decimalsChooser_, &QSpinBox::valueChanged, &choices_, &LearningChoices::SetDecimals);
    connect(&choices_, &LearningChoices::DecimalsChanged, this, [this](int decimals) {
        decimalsChooser_->setValue(decimals);
        ShowDecimals();
    });
    Clear();
}

int StepView::Phase() const { return pages_->currentIndex(); }

void StepView::ShowPhase(int phase) {
    phase = std::clamp(phase, 0, pages_->Count() - 1);
    pages_->setCurrentIndex(phase);
    previousButton_->setEnabled(phase > 0);
    nextButton_->setEnabled(phase + 1 < pages_->Count());
    phaseTitle_->setText(QString("%1/%2 · %3").arg(phase + 1).arg(pages_->Count()).arg(StepPhases::Title(phase)));
}

QString StepView::Missing() const {
    if (!state_.RedCreada) return "Aún no hay ninguna red: créela en «Configuración» o abra un archivo para ver un paso.";
    if (state_.NumeroPatrones < 1)
        return "La tabla de patrones está vacía: introduzca al menos un patrón en «Introducir Datos» para ver un paso.";
    const int p = patternChooser_->value();
    const int count = std::min(state_.NumeroPatrones, kMaxPatterns);
    if (p > count)
        return count == 1 ? QString("No hay patrón %1: la tabla tiene un solo patrón, el 1.").arg(p)
                          : QString("No hay patrón %1: elija un patrón entre 1 y %2.").arg(p).arg(count);
    return {};
}

std::optional<std::int32_t> StepView::ChosenPattern() {
    const QString missing = Missing();
    if (!missing.isEmpty()) {
        Clear();
        ShowMessage(missing);
        return std::nullopt;
    }
    return patternChooser_->value();
}

void StepView::ComputeClick() {
    Refresh();
    const std::optional<std::int32_t> p = ChosenPattern();
    if (!p) return;
    Clear();
    stepPattern_ = *p;
    Display(ComputeWorkedStepOnPattern(state_, network_, *p));
    shownFor_ = TakeSnapshot(network_);
}

void StepView::ApplyClick() {
    Refresh();
    const std::optional<std::int32_t> p = ChosenPattern();
    if (!p) return;
    Clear();
    const WorkedStep step = ComputeWorkedStepOnPattern(state_, network_, *p);
    stepPattern_ = *p;
    Display(step);
    ApplyWorkedStep(state_, network_, *p, step, training_);
    shownFor_ = TakeSnapshot(network_);
    ShowBeforeAndAfter(step);
    emit stepApplied();
}

void StepView::ShowBeforeAndAfter(const WorkedStep& step) {
    outputsBefore_.clear();
    for (const ForwardValues& v : step.output) outputsBefore_.push_back(v.output);
    errorBefore_ = PatternError(step.expected, outputsBefore_);
    // A forward pass on a copy of the new weights: the network keeps the
    // state the applied iteration left it in.
    const PatternResult after = EvaluatePattern(shownFor_, state_, stepPattern_);
    outputsAfter_ = after.outputs;
    errorAfter_ = after.error;
    ShowDecimals();
}

void StepView::Refresh() {
    const bool kept = step_ && ShownPatternKept() && SameNetwork(TakeSnapshot(network_), shownFor_);
    if (step_ && !kept) Clear();
    if (step_) return;
    const QString missing = Missing();
    ShowMessage(missing.isEmpty() ? "Elija un patrón y pulse «Calcular Paso» para ver el paso, o «Aplicar Paso» "
                                    "para darlo."
                                  : missing);
}

bool StepView::ShownPatternKept() const {
    if (!state_.RedCreada || stepPattern_ > state_.NumeroPatrones) return false;
    const auto p = static_cast<std::size_t>(stepPattern_);
    const auto same = [](const std::vector<double>& shown, const auto& row, std::size_t count) {
        return shown.size() == count && std::equal(shown.begin(), shown.end(), row.begin() + 1);
    };
    return same(step_->inputs, state_.EntradasPatrones[p], static_cast<std::size_t>(network_.NumeroEntradas())) &&
           same(step_->expected, state_.SalidasPatrones[p], network_.NeuronasCapaSalida());
}

void StepView::ShowMessage(const QString& text) {
    messageLabel_->setText(text);
    messageLabel_->setVisible(!text.isEmpty());
    pages_->setVisible(text.isEmpty() || step_.has_value());
    for (QWidget* control : {static_cast<QWidget*>(previousButton_), static_cast<QWidget*>(nextButton_),
                             static_cast<QWidget*>(phaseTitle_)})
        control->setVisible(step_.has_value());
}

void StepView::Clear() {
    step_.reset();
    outputsBefore_.clear();
    outputsAfter_.clear();
    ShowMessage({});
    pages_->Clear();
    ShowDecimals();
}

void StepView::Display(const WorkedStep& step) {
    step_ = step;
    pages_->Show(WorkedRows(step, RegionalDecimalSeparator()), choices_.Decimals());
    if (!step.learns)
        ShowMessage(step.function == ftIdentidad
                        ? "Con la función Identidad esta red no aprende: el paso se queda en la "
                          "propagación hacia delante y ningún peso cambia."
                        : "Con una función escalón esta red no aprende: el paso se queda en la "
                          "propagación hacia delante y ningún peso cambia.");
    else ShowMessage({});
    ShowPhase(Phase());
    ShowDecimals();
}

void StepView::ShowDecimals() {
    const int decimals = choices_.Decimals();
    pages_->ShowDecimals(decimals);
    patternLabel_->setText(step_ ? QString("Patrón %1:  x = %2   d = %3")
                                       .arg(stepPattern_)
                                       .arg(JoinValues(step_->inputs, decimals), JoinValues(step_->expected, decimals))
                                 : QString());
    QStringList parts;
    for (std::size_t i = 0; i < outputsAfter_.size(); ++i)
        parts << QString("%1 %2 → %3")
                     .arg(outputsAfter_.size() == 1 ? QString("y") : QString("y%1").arg(i + 1))
                     .arg(RoundedText(outputsBefore_[i], decimals), RoundedText(outputsAfter_[i], decimals));
    if (!parts.isEmpty())
        parts << QString("error %1 → %2").arg(PercentText(errorBefore_, decimals), PercentText(errorAfter_, decimals));
    resultLine_->setText(parts.isEmpty() ? QString() : QString("Patrón %1: %2").arg(stepPattern_).arg(parts.join(" · ")));
    resultLine_->setVisible(!parts.isEmpty());
}

void StepView::CopyClick() {
    if (!step_) return;
    QApplication::clipboard()->setText(StepText(stepPattern_, step_->inputs, step_->expected, pages_->Tables(),
                                                {outputsBefore_, outputsAfter_, errorBefore_, errorAfter_}));
}

QImage StepView::WholeImage() {
    QList<const QLabel*> lines;
    for (const QLabel* label : {patternLabel_, resultLine_, messageLabel_})
        if (!label->text().isEmpty() && label->isVisibleTo(this)) lines << label;
    if (lines.isEmpty() && !step_) return grab().toImage();
    return StepImage(lines, pages_->Tables(), palette());
}
