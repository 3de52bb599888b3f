// SPDX-License-Identifier: GPL-3.0-or-later
#include "results_view.h"

#include "learning_choices.h"
#include "network.h"
#include "number_texts.h"
#include "pattern_result.h"
#include "training_tab_view.h"
#include "work_state.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

// Writes a cell, keeping its item: a run refreshes the table often, and a
// cell whose text stays the same then costs the table no new layout.
void SetCell(QTableWidget* table, int row, int column, const QString& text, const QString& full = {},
             Qt::Alignment alignment = Qt::AlignRight | Qt::AlignVCenter) {
    QTableWidgetItem* item = table->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        item->setTextAlignment(alignment);
        table->setItem(row, column, item);
    }
    if (item->text() != text) item->setText(text);
    if (item->toolTip() != full) item->setToolTip(full);
}

void SetValue(QTableWidget* table, int row, int column, double value, int decimals) {
    SetCell(table, row, column, RoundedText(value, decimals), FileNumberText(value));
}

}  // namespace

ResultsView::ResultsView(const TrainingTabView& training, const LearningChoices& choices, QWidget* parent)
    : NetworkView(parent), training_(training), choices_(choices), summary_(new QLabel), table_(new QTableWidget) {
    setObjectName("resultsView");
    summary_->setObjectName("resultsSummary");
    summary_->setWordWrap(true);
    table_->setObjectName("resultsTable");
    table_->setAccessibleName("Resultados por patrón");
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(18);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(summary_);
    layout->addWidget(table_, 1);
    connect(&choices_, &LearningChoices::DecimalsChanged, this, [this] { Refresh(); });
}

QString ResultsView::Summary() const { return summary_->text(); }

void ResultsView::Recompute(const TRedNeuronal& network, const WorkState& state) {
    const int patterns = std::min(state.NumeroPatrones, kMaxPatterns);
    if (!state.RedCreada || patterns < 1) {
        summary_->setText(!state.RedCreada ? "Aún no hay ninguna red: créela en «Configuración» o abra un archivo."
                                           : "La tabla de patrones está vacía: introduzca patrones en «Introducir Datos».");
        table_->setRowCount(0);
        table_->setColumnCount(0);
        headers_.clear();
        return;
    }
    const NetworkSnapshot snapshot = TakeSnapshot(network);
    const int n = snapshot.inputs, outputs = snapshot.outputs, decimals = choices_.Decimals();
    const double threshold = training_.LargestErrorThreshold();
    QStringList headers{"Patrón"};
    const auto numbered = [&](const QString& name, int count) {
        for (int i = 1; i <= count; ++i) headers << (count == 1 ? name : name + QString::number(i));
    };
    numbered("x", n);
    numbered("d", outputs);
    numbered("y", outputs);
    headers << "Error (%)" << QString("Error Máx<=\n%1 %").arg(threshold);
    // The shape and the headers change rarely; set again, they would lay the table out anew.
    if (headers != headers_ || table_->rowCount() != patterns) {
        table_->clear();
        table_->setColumnCount(static_cast<int>(headers.size()));
        table_->setHorizontalHeaderLabels(headers);
        table_->setRowCount(patterns);
        headers_ = headers;
    }
    int within = 0;
    for (int p = 1; p <= patterns; ++p) {
        const PatternResult result = EvaluatePattern(snapshot, state, p);
        const auto row = p - 1;
        int column = 0;
        SetCell(table_, row, column++, QString::number(p), {}, Qt::AlignLeft | Qt::AlignVCenter);
        const auto& x = state.EntradasPatrones[static_cast<std::size_t>(p)];
        const auto& d = state.SalidasPatrones[static_cast<std::size_t>(p)];
        for (int k = 1; k <= n; ++k) SetValue(table_, row, column++, x[static_cast<std::size_t>(k)], decimals);
        for (int i = 1; i <= outputs; ++i) SetValue(table_, row, column++, d[static_cast<std::size_t>(i)], decimals);
        for (double y : result.outputs) SetValue(table_, row, column++, y, decimals);
        SetValue(table_, row, column++, result.error, std::max(1, decimals - 2));
        const bool ok = WithinThreshold(result.error, threshold);
        within += ok;
        SetCell(table_, row, column, ok ? "✓" : "", {}, Qt::AlignCenter);
    }
    summary_->setText(QString("%1 de %2 patrones dentro del umbral").arg(within).arg(patterns));
}
