// SPDX-License-Identifier: GPL-3.0-or-later
#include "step_view.h"

#include "error_report.h"
#include "network.h"
#include "number_texts.h"
#include "regional_separators.h"
#include "training_run.h"
#include "work_state.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// A value as the program shows reals: 15 significant digits, regional separator.
QString Number(double value) { return FileNumberText(value); }

// A factor inside a product: negatives in parentheses.
QString Factor(double value) { return value < 0 ? "(" + Number(value) + ")" : Number(value); }

QString NeuronName(StepLayer layer, int neuron) {
    return QString(layer == StepLayer::Hidden ? "Oculta %1" : "Salida %1").arg(neuron);
}

QTableWidget* NewTable(const QString& name, const QString& accessibleName) {
    auto* table = new QTableWidget;
    table->setObjectName(name);
    table->setAccessibleName(accessibleName);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(18);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return table;
}

// Rows of texts under the given column headers.
void Fill(QTableWidget* table, const QStringList& headers, const QList<QStringList>& rows) {
    table->clear();
    table->setColumnCount(static_cast<int>(headers.size()));
    table->setHorizontalHeaderLabels(headers);
    table->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c) {
            auto* item = new QTableWidgetItem(rows[r][c]);
            if (c > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(r, c, item);
        }
}

QString JoinNumbers(const std::vector<double>& values) {
    QStringList texts;
    for (double v : values) texts << Number(v);
    return "(" + texts.join("; ") + ")";
}

bool SameNetwork(const NetworkSnapshot& a, const NetworkSnapshot& b) {
    return a.inputs == b.inputs && a.hidden == b.hidden && a.outputs == b.outputs && a.function == b.function &&
           a.hiddenWeights == b.hiddenWeights && a.outputWeights == b.outputWeights;
}

}  // namespace

StepView::StepView(TRedNeuronal& network, WorkState& state, TrainingTabView& training, QWidget* parent)
    : QWidget(parent), network_(network), state_(state), training_(training) {
    setObjectName("stepView");
    patternChooser_ = new QSpinBox;
    patternChooser_->setObjectName("patternChooser");
    patternChooser_->setAccessibleName("Patrón");
    patternChooser_->setRange(1, 1);
    computeButton_ = new QPushButton("Calcular Paso");
    computeButton_->setObjectName("computeStepButton");
    applyButton_ = new QPushButton("Aplicar Paso");
    applyButton_->setObjectName("applyStepButton");
    auto* chooserLabel = new QLabel("Patrón");
    chooserLabel->setBuddy(patternChooser_);
    patternLabel_ = new QLabel;
    patternLabel_->setObjectName("stepPatternLabel");
    noLearningLabel_ = new QLabel;
    noLearningLabel_->setObjectName("noLearningLabel");
    noLearningLabel_->setWordWrap(true);
    noLearningLabel_->hide();
    forwardTable_ = NewTable("forwardTable", "Propagación hacia delante");
    deltaTable_ = NewTable("deltaTable", "Deltas");
    weightTable_ = NewTable("weightTable", "Pesos");
    weightComputation_ = new QLabel;
    weightComputation_->setObjectName("weightComputation");
    weightComputation_->setWordWrap(true);
    weightComputation_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* controls = new QHBoxLayout;
    controls->addWidget(chooserLabel);
    controls->addWidget(patternChooser_);
    controls->addWidget(computeButton_);
    controls->addWidget(applyButton_);
    controls->addWidget(patternLabel_, 1);
    // The learner may give any table more room by dragging between them.
    forwardAndDeltas_ = new QSplitter(Qt::Horizontal);
    forwardAndDeltas_->addWidget(forwardTable_);
    forwardAndDeltas_->addWidget(deltaTable_);
    tables_ = new QSplitter(Qt::Vertical);
    tables_->addWidget(forwardAndDeltas_);
    tables_->addWidget(weightTable_);
    tables_->setStretchFactor(1, 1);
    ShareRoom(true);
    // Room for the computation's two lines, so the layout does not jump.
    weightComputation_->setMinimumHeight(2 * weightComputation_->fontMetrics().lineSpacing() + 2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addLayout(controls);
    layout->addWidget(noLearningLabel_);
    layout->addWidget(tables_, 1);
    layout->addWidget(weightComputation_);

    connect(computeButton_, &QPushButton::clicked, this, [this] { RunGuarded([this] { ComputeClick(); }); });
    connect(applyButton_, &QPushButton::clicked, this, [this] { RunGuarded([this] { ApplyClick(); }); });
    connect(weightTable_, &QTableWidget::currentCellChanged, this,
            [this](int row) { ShowWeightComputation(row); });
    Clear();
}

std::optional<std::int32_t> StepView::ChosenPattern() const {
    const std::int32_t p = patternChooser_->value();
    if (!state_.RedCreada || p < 1 || p > std::min(state_.NumeroPatrones, kMaxPatterns))
        return std::nullopt;
    return p;
}

void StepView::ComputeClick() {
    Refresh();
    const std::optional<std::int32_t> p = ChosenPattern();
    if (!p) return;
    Clear();
    Display(ComputeWorkedStepOnPattern(state_, network_, *p));
    stepPattern_ = *p;
    shownFor_ = TakeSnapshot(network_);
}

void StepView::ApplyClick() {
    Refresh();
    const std::optional<std::int32_t> p = ChosenPattern();
    if (!p) return;
    Clear();
    const WorkedStep step = ComputeWorkedStepOnPattern(state_, network_, *p);
    Display(step);
    ApplyWorkedStep(state_, network_, *p, step, training_);
    stepPattern_ = *p;
    shownFor_ = TakeSnapshot(network_);
    emit stepApplied();
}

void StepView::Refresh() {
    patternChooser_->setMaximum(std::clamp(state_.NumeroPatrones, 1, kMaxPatterns));
    if (step_ && !(ShownPatternKept() && SameNetwork(TakeSnapshot(network_), shownFor_))) Clear();
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

void StepView::Clear() {
    step_.reset();
    patternLabel_->clear();
    noLearningLabel_->hide();
    for (QTableWidget* table : {forwardTable_, deltaTable_, weightTable_}) {
        table->clear();
        table->setRowCount(0);
        table->setColumnCount(0);
    }
    weightComputation_->clear();
}

void StepView::Display(const WorkedStep& step) {
    step_ = step;
    patternLabel_->setText(QString("x = %1   d = %2").arg(JoinNumbers(step.inputs), JoinNumbers(step.expected)));

    const bool sigmoid = step.function == ftSigmoide, tangent = step.function == ftTangenteHiperbolica;
    QStringList headers{"Neurona", "s = −w0 + Σ xk·wk"};
    if (tangent) headers << "e^s";
    if (sigmoid || tangent) headers << "e^(−s)";
    headers << (sigmoid   ? "y = 1 / (1 + e^(−s))"
                : tangent ? "y = (e^s − e^(−s)) / (e^s + e^(−s))"
                : step.function == ftIdentidad ? "y = s"
                                               : "y = f(s)");
    QList<QStringList> rows;
    const auto forwardRows = [&](const std::vector<ForwardValues>& layer, StepLayer kind) {
        for (std::size_t j = 0; j < layer.size(); ++j) {
            QStringList row{NeuronName(kind, static_cast<int>(j) + 1), Number(layer[j].sum)};
            if (tangent) row << Number(layer[j].expPlus);
            if (sigmoid || tangent) row << Number(layer[j].expMinus);
            rows << (row << Number(layer[j].output));
        }
    };
    forwardRows(step.hidden, StepLayer::Hidden);
    forwardRows(step.output, StepLayer::Output);
    Fill(forwardTable_, headers, rows);

    if (!step.learns) {
        noLearningLabel_->setText(step.function == ftIdentidad
                                      ? "Con la función Identidad esta red no aprende: el paso se queda en la "
                                        "propagación hacia delante y ningún peso cambia."
                                      : "Con una función escalón esta red no aprende: el paso se queda en la "
                                        "propagación hacia delante y ningún peso cambia.");
        noLearningLabel_->show();
        ShareRoom(false);
        return;
    }

    if (deltaTable_->isHidden()) ShareRoom(true);
    rows.clear();
    const auto deltaRows = [&](const std::vector<DeltaValues>& deltas, StepLayer kind) {
        for (std::size_t j = 0; j < deltas.size(); ++j)
            rows << QStringList{NeuronName(kind, static_cast<int>(j) + 1), Number(deltas[j].derivative),
                                Number(deltas[j].error), Number(deltas[j].delta)};
    };
    deltaRows(step.outputDeltas, StepLayer::Output);
    deltaRows(step.hiddenDeltas, StepLayer::Hidden);
    Fill(deltaTable_,
         {"Neurona", sigmoid ? "f′ = (1 − y)·y" : "f′ = (1 + y)·(1 − y)", "d − o  |  Σ δo·w", "δ = f′ · (…)"},
         rows);
    deltaTable_->horizontalHeaderItem(2)->setToolTip(
        "Salida: d − o. Oculta: Σ δo·w, con los pesos de salida de antes del paso.");

    rows.clear();
    for (const WeightChange& c : step.weights)
        rows << QStringList{NeuronName(c.layer, c.neuron), c.index == 0 ? "w0 (sesgo)" : QString("w%1").arg(c.index),
                            Number(c.oldWeight), Number(c.input), Number(c.change), Number(c.newWeight)};
    Fill(weightTable_,
         {"Neurona", "Peso", "w", "x", QString("Δw = η·δ·x, η = %1").arg(Number(kLearningRate)), "w + Δw"}, rows);
}

void StepView::ShareRoom(bool learns) {
    deltaTable_->setVisible(learns);
    weightTable_->setVisible(learns);
    forwardAndDeltas_->setSizes({1, learns ? 1 : 0});
    tables_->setSizes({learns ? 100 : 1, learns ? 160 : 0});
}

void StepView::ShowWeightComputation(int row) {
    if (!step_ || row < 0 || row >= static_cast<int>(step_->weights.size())) {
        weightComputation_->clear();
        return;
    }
    const WeightChange& c = step_->weights[static_cast<std::size_t>(row)];
    const auto& deltas = c.layer == StepLayer::Hidden ? step_->hiddenDeltas : step_->outputDeltas;
    const double delta = deltas[static_cast<std::size_t>(c.neuron - 1)].delta;
    weightComputation_->setText(QString("%1, w%2: Δw = η·δ·x = %3 · %4 · %5 = %6;  w + Δw = %7 + %8 = %9")
                                    .arg(NeuronName(c.layer, c.neuron))
                                    .arg(c.index)
                                    .arg(Number(kLearningRate), Factor(delta), Factor(c.input), Number(c.change),
                                         Number(c.oldWeight), Factor(c.change), Number(c.newWeight)));
}
