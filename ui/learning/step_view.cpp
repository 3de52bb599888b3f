// SPDX-License-Identifier: GPL-3.0-or-later
#include "step_view.h"

#include "error_report.h"
#include "learning_choices.h"
#include "network.h"
#include "number_texts.h"
#include "pattern_result.h"
#include "training_run.h"
#include "work_state.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace {

// Where a cell keeps its value in full, so that the decimals can change and
// "Copiar" can write all its digits.
constexpr int kValueRole = Qt::UserRole;

// One cell: a text, or a value shown rounded.
struct Cell {
    QString text;
    std::optional<double> value;
};
Cell Text(const QString& text) { return {text, std::nullopt}; }
Cell Value(double value) { return {QString(), value}; }

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
    table->setWordWrap(false);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(18);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    return table;
}

// Rows of cells under the given column headers (two lines where they hold "\n").
void Fill(QTableWidget* table, const QStringList& headers, const QList<QList<Cell>>& rows, int decimals) {
    table->clear();
    table->setColumnCount(static_cast<int>(headers.size()));
    table->setHorizontalHeaderLabels(headers);
    table->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c) {
            const Cell& cell = rows[r][c];
            auto* item = new QTableWidgetItem(cell.value ? RoundedText(*cell.value, decimals) : cell.text);
            if (cell.value) {
                item->setData(kValueRole, *cell.value);
                item->setToolTip(FileNumberText(*cell.value));
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            table->setItem(r, c, item);
        }
}

// A table as tab-separated lines under its title, values in full.
QString TableText(const QTableWidget* table) {
    QStringList lines{table->accessibleName()};
    QStringList headers;
    for (int c = 0; c < table->columnCount(); ++c)
        headers << table->horizontalHeaderItem(c)->text().replace('\n', ' ');
    lines << headers.join('\t');
    for (int r = 0; r < table->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < table->columnCount(); ++c) {
            const QTableWidgetItem* item = table->item(r, c);
            const QVariant value = item ? item->data(kValueRole) : QVariant();
            cells << (value.isValid() ? FileNumberText(value.toDouble()) : item ? item->text() : QString());
        }
        lines << cells.join('\t');
    }
    return lines.join('\n');
}

// The table at the size that shows all of it, as a picture.
QImage WholeTable(QTableWidget* table) {
    const QRect kept = table->geometry();
    const int frame = 2 * table->frameWidth();
    table->resize(table->horizontalHeader()->length() + frame,
                  table->horizontalHeader()->height() + table->verticalHeader()->length() + frame);
    const QImage image = table->grab().toImage();
    table->setGeometry(kept);
    return image;
}

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
    computeButton_ = new QPushButton("Calcular Paso");
    computeButton_->setObjectName("computeStepButton");
    applyButton_ = new QPushButton("Aplicar Paso");
    applyButton_->setObjectName("applyStepButton");
    copyButton_ = new QPushButton("Copiar");
    copyButton_->setObjectName("copyStepButton");
    copyButton_->setToolTip("Copia el paso entero, con 15 cifras, como texto separado por tabuladores");
    auto* chooserLabel = new QLabel("Patrón");
    chooserLabel->setBuddy(patternChooser_);
    auto* decimalsLabel = new QLabel("Decimales");
    decimalsLabel->setBuddy(decimalsChooser_);
    patternLabel_ = new QLabel;
    patternLabel_->setObjectName("stepPatternLabel");
    resultLine_ = new QLabel;
    resultLine_->setObjectName("stepResultLine");
    resultLine_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    messageLabel_ = new QLabel;
    messageLabel_->setObjectName("stepMessage");
    messageLabel_->setWordWrap(true);
    messageLabel_->hide();
    forwardTable_ = NewTable("forwardTable", "Propagación hacia delante");
    deltaTable_ = NewTable("deltaTable", "Deltas, hacia atrás: de la salida a la capa oculta");
    weightTable_ = NewTable("weightTable", "Pesos, neurona a neurona");
    deltaHeading_ = new QLabel("Deltas, hacia atrás: salida → oculta");
    deltaHeading_->setObjectName("deltaHeading");
    weightComputation_ = new QLabel;
    weightComputation_->setObjectName("weightComputation");
    weightComputation_->setWordWrap(true);
    weightComputation_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* controls = new QHBoxLayout;
    controls->addWidget(chooserLabel);
    controls->addWidget(patternChooser_);
    controls->addWidget(computeButton_);
    controls->addWidget(applyButton_);
    controls->addStretch(1);
    controls->addWidget(decimalsLabel);
    controls->addWidget(decimalsChooser_);
    controls->addWidget(copyButton_);
    // The learner may give any table more room by dragging between them.
    deltaPane_ = new QWidget;
    auto* deltaLayout = new QVBoxLayout(deltaPane_);
    deltaLayout->setContentsMargins(0, 0, 0, 0);
    deltaLayout->setSpacing(1);
    deltaLayout->addWidget(deltaHeading_);
    deltaLayout->addWidget(deltaTable_, 1);
    // One above the other, each the page's width: every column stays in
    // sight, whatever the function and the decimals.
    tables_ = new QSplitter(Qt::Vertical);
    tables_->setChildrenCollapsible(false);
    tables_->addWidget(forwardTable_);
    tables_->addWidget(deltaPane_);
    tables_->addWidget(weightTable_);
    ShareRoom(true);
    // Room for the computation's two lines, so the layout does not jump.
    weightComputation_->setMinimumHeight(2 * weightComputation_->fontMetrics().lineSpacing() + 2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(3);
    layout->addLayout(controls);
    layout->addWidget(patternLabel_);
    layout->addWidget(resultLine_);
    layout->addWidget(messageLabel_);
    layout->addWidget(tables_, 1);
    layout->addWidget(weightComputation_);

    connect(computeButton_, &QPushButton::clicked, this, [this] { RunGuarded([this] { ComputeClick(); }); });
    connect(applyButton_, &QPushButton::clicked, this, [this] { RunGuarded([this] { ApplyClick(); }); });
    connect(copyButton_, &QPushButton::clicked, this, [this] { CopyClick(); });
    connect(weightTable_, &QTableWidget::currentCellChanged, this, [this](int row) { ShowWeightComputation(row); });
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
    tables_->setVisible(text.isEmpty() || step_.has_value());
}

void StepView::Clear() {
    step_.reset();
    outputsBefore_.clear();
    outputsAfter_.clear();
    ShowMessage({});
    for (QTableWidget* table : {forwardTable_, deltaTable_, weightTable_}) {
        table->clear();
        table->setRowCount(0);
        table->setColumnCount(0);
    }
    ShowDecimals();
}

void StepView::Display(const WorkedStep& step) {
    step_ = step;
    const int decimals = choices_.Decimals();
    const bool sigmoid = step.function == ftSigmoide, tangent = step.function == ftTangenteHiperbolica;
    QStringList headers{"Neurona", "s = −w0\n+ Σ x·w"};
    if (tangent) headers << "e^s";
    if (sigmoid || tangent) headers << "e^(−s)";
    headers << (sigmoid   ? "y = 1 /\n(1 + e^(−s))"
                : tangent ? "y = (e^s − e^(−s))\n/ (e^s + e^(−s))"
                : step.function == ftIdentidad ? "y = s"
                                               : "y = f(s)");
    const int blanks = static_cast<int>(headers.size()) - 3;
    QList<QList<Cell>> rows;
    // The inputs first: their x is what the hidden layer takes.
    for (std::size_t k = 0; k < step.inputs.size(); ++k) {
        QList<Cell> row{Text(QString("Entrada x%1").arg(k + 1))};
        for (int c = 0; c <= blanks; ++c) row << Text({});
        rows << (row << Value(step.inputs[k]));
    }
    const auto forwardRows = [&](const std::vector<ForwardValues>& layer, StepLayer kind) {
        for (std::size_t j = 0; j < layer.size(); ++j) {
            QList<Cell> row{Text(NeuronName(kind, static_cast<int>(j) + 1)), Value(layer[j].sum)};
            if (tangent) row << Value(layer[j].expPlus);
            if (sigmoid || tangent) row << Value(layer[j].expMinus);
            rows << (row << Value(layer[j].output));
        }
    };
    forwardRows(step.hidden, StepLayer::Hidden);
    forwardRows(step.output, StepLayer::Output);
    Fill(forwardTable_, headers, rows, decimals);

    if (!step.learns) {
        ShowMessage(step.function == ftIdentidad
                        ? "Con la función Identidad esta red no aprende: el paso se queda en la "
                          "propagación hacia delante y ningún peso cambia."
                        : "Con una función escalón esta red no aprende: el paso se queda en la "
                          "propagación hacia delante y ningún peso cambia.");
        ShareRoom(false);
        ShowDecimals();
        return;
    }

    // Backwards: the output deltas first, as the hidden ones are made of them.
    rows.clear();
    for (std::size_t i = 0; i < step.outputDeltas.size(); ++i) {
        const DeltaValues& d = step.outputDeltas[i];
        rows << QList<Cell>{Text(NeuronName(StepLayer::Output, static_cast<int>(i) + 1)), Value(d.derivative),
                            Value(d.error), Text({}), Value(d.delta)};
    }
    for (std::size_t j = 0; j < step.hiddenDeltas.size(); ++j) {
        const DeltaValues& d = step.hiddenDeltas[j];
        rows << QList<Cell>{Text(NeuronName(StepLayer::Hidden, static_cast<int>(j) + 1)), Value(d.derivative),
                            Text({}), Value(d.error), Value(d.delta)};
    }
    Fill(deltaTable_,
         {"Neurona", sigmoid ? "f′ =\n(1 − y)·y" : "f′ = (1 + y)\n·(1 − y)", "d − y", "Σ δ·w", "δ = f′ ·\n(d − y | Σ δ·w)"},
         rows, decimals);
    deltaTable_->horizontalHeaderItem(3)->setToolTip(
        "Para una neurona oculta: la suma de los δ de las salidas por sus pesos de antes del paso.");

    rows.clear();
    for (const WeightChange& c : step.weights)
        rows << QList<Cell>{Text(NeuronName(c.layer, c.neuron)),
                            Text(c.index == 0 ? "w0 (sesgo)" : QString("w%1").arg(c.index)), Value(c.oldWeight),
                            Value(c.input), Value(c.change), Value(c.newWeight)};
    Fill(weightTable_,
         {"Neurona", "Peso", "w", "x", QString("Δw = η·δ·x\nη = %1").arg(FileNumberText(kLearningRate)), "w + Δw"},
         rows, decimals);
    ShareRoom(true);
    ShowDecimals();
}

void StepView::ShowDecimals() {
    const int decimals = choices_.Decimals();
    for (QTableWidget* table : {forwardTable_, deltaTable_, weightTable_})
        for (int r = 0; r < table->rowCount(); ++r)
            for (int c = 0; c < table->columnCount(); ++c)
                if (QTableWidgetItem* item = table->item(r, c); item && item->data(kValueRole).isValid())
                    item->setText(RoundedText(item->data(kValueRole).toDouble(), decimals));
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
    ShowWeightComputation(weightTable_->currentRow());
}

void StepView::CopyClick() {
    if (!step_) return;
    QStringList sections;
    QStringList pattern{QString("Patrón\t%1").arg(stepPattern_)};
    const auto valuesLine = [](const QString& name, const std::vector<double>& values) {
        QStringList cells{name};
        for (double v : values) cells << FileNumberText(v);
        return cells.join('\t');
    };
    pattern << valuesLine("x", step_->inputs) << valuesLine("d", step_->expected);
    sections << pattern.join('\n');
    for (QTableWidget* table : {forwardTable_, deltaTable_, weightTable_})
        if (table->rowCount() > 0) sections << TableText(table);
    if (!outputsAfter_.empty())
        sections << "Aplicado\n" + valuesLine("y antes", outputsBefore_) + '\n' + valuesLine("y después", outputsAfter_) +
                        '\n' + valuesLine("error antes → después (%)", {errorBefore_, errorAfter_});
    QApplication::clipboard()->setText(sections.join("\n\n") + '\n');
}

QImage StepView::WholeImage() {
    QList<QImage> parts;
    const auto line = [this](const QLabel* label) {
        QImage image(std::max(1, label->fontMetrics().horizontalAdvance(label->text()) + 8),
                     label->fontMetrics().height() + 6, QImage::Format_ARGB32_Premultiplied);
        image.fill(palette().color(QPalette::Window));
        QPainter painter(&image);
        painter.setFont(label->font());
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(image.rect().adjusted(4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, label->text());
        return image;
    };
    for (const QLabel* label : {patternLabel_, resultLine_, messageLabel_})
        if (!label->text().isEmpty() && label->isVisibleTo(this)) parts << line(label);
    if (forwardTable_->rowCount() > 0) parts << WholeTable(forwardTable_);
    if (deltaTable_->rowCount() > 0) parts << line(deltaHeading_) << WholeTable(deltaTable_);
    if (weightTable_->rowCount() > 0) parts << WholeTable(weightTable_);
    if (parts.isEmpty()) return grab().toImage();
    int width = 0, height = 0;
    for (const QImage& part : parts) width = std::max(width, part.width()), height += part.height() + 4;
    QImage whole(width + 8, height + 4, QImage::Format_ARGB32_Premultiplied);
    whole.fill(palette().color(QPalette::Window));
    QPainter painter(&whole);
    int top = 4;
    for (const QImage& part : parts) {
        painter.drawImage(4, top, part);
        top += part.height() + 4;
    }
    return whole;
}

void StepView::ShareRoom(bool learns) {
    deltaPane_->setVisible(learns);
    weightTable_->setVisible(learns);
    // Each table's share of the height as its rows' share, the header counted as two rows.
    const auto rows = [](const QTableWidget* table) { return std::max(1, table->rowCount()) + 2; };
    tables_->setSizes({rows(forwardTable_), learns ? rows(deltaTable_) + 1 : 0, learns ? rows(weightTable_) : 0});
}

void StepView::ShowWeightComputation(int row) {
    if (!step_ || row < 0 || row >= static_cast<int>(step_->weights.size())) {
        weightComputation_->clear();
        return;
    }
    const int decimals = choices_.Decimals();
    const auto number = [decimals](double v) { return RoundedText(v, decimals); };
    // A factor inside a product: negatives in parentheses.
    const auto factor = [&](double v) { return v < 0 ? "(" + number(v) + ")" : number(v); };
    const WeightChange& c = step_->weights[static_cast<std::size_t>(row)];
    const auto& deltas = c.layer == StepLayer::Hidden ? step_->hiddenDeltas : step_->outputDeltas;
    const double delta = deltas[static_cast<std::size_t>(c.neuron - 1)].delta;
    weightComputation_->setText(QString("%1, w%2: Δw = η·δ·x = %3 · %4 · %5 = %6;  w + Δw = %7 + %8 = %9")
                                    .arg(NeuronName(c.layer, c.neuron))
                                    .arg(c.index)
                                    .arg(FileNumberText(kLearningRate), factor(delta), factor(c.input),
                                         number(c.change), number(c.oldWeight), factor(c.change),
                                         number(c.newWeight)));
}
