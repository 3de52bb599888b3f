// SPDX-License-Identifier: GPL-3.0-or-later
#include "results_view.h"

#include "iteration_error.h"
#include "learning_choices.h"
#include "network.h"
#include "pattern_result.h"
#include "training_tab_view.h"
#include "value_table.h"
#include "work_state.h"

#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

ResultsView::ResultsView(const TrainingTabView& training, const LearningChoices& choices, QWidget* parent)
    : NetworkView(parent), training_(training), choices_(choices), summary_(new QLabel),
      table_(new ValueTable("resultsTable", "Resultados por patrón")) {
    setObjectName("resultsView");
    summary_->setObjectName("resultsSummary");
    summary_->setWordWrap(true);
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
        table_->SetRows(0);
        table_->SetColumns({}, {});
        return;
    }
    const NetworkSnapshot snapshot = TakeSnapshot(network);
    const int n = snapshot.inputs, outputs = snapshot.outputs, decimals = choices_.Decimals();
    const double threshold = training_.LargestErrorThreshold();
    QStringList headers{"Patrón"}, tips{"El número del patrón en la tabla de patrones."};
    const auto numbered = [&](const QString& name, int count, const QString& tip) {
        for (int i = 1; i <= count; ++i) headers << (count == 1 ? name : name + QString::number(i)), tips << tip;
    };
    numbered("x", n, "Una entrada del patrón.");
    numbered("d", outputs, "La salida esperada del patrón.");
    numbered("y", outputs, "La salida que da la red ahora para las entradas del patrón.");
    for (int i = 1; i <= outputs; ++i)
        headers << (outputs == 1 ? QString("|d − y|") : QString("|d%1 − y%1|").arg(i)),
            tips << "El error absoluto de la salida: la distancia entre la esperada y la obtenida.";
    headers << "Error (%)" << QString("Error Máx<=\n%1 %").arg(threshold);
    tips << "El error de la iteración, la medida del entrenamiento: la media, sobre las salidas, de |d − y| en "
            "% de |d|; donde d = 0, |d − y| × 100."
         << "✓ donde el error del patrón no pasa del umbral «Error Máx<=» de la pestaña de entrenamiento.";
    // The shape and the headers change rarely; written in place, unchanged ones cost no layout.
    table_->SetColumns(headers, tips);
    table_->SetRows(patterns);
    int within = 0;
    for (int p = 1; p <= patterns; ++p) {
        const PatternResult result = EvaluatePattern(snapshot, state, p);
        const auto row = p - 1;
        int column = 0;
        table_->SetText(row, column++, QString::number(p));
        const auto& x = state.EntradasPatrones[static_cast<std::size_t>(p)];
        const auto& d = state.SalidasPatrones[static_cast<std::size_t>(p)];
        for (int k = 1; k <= n; ++k) table_->SetValue(row, column++, x[static_cast<std::size_t>(k)], decimals);
        for (int i = 1; i <= outputs; ++i) table_->SetValue(row, column++, d[static_cast<std::size_t>(i)], decimals);
        for (double y : result.outputs) table_->SetValue(row, column++, y, decimals);
        for (int i = 1; i <= outputs; ++i)
            table_->SetValue(row, column++,
                             AbsoluteError(d[static_cast<std::size_t>(i)], result.outputs[static_cast<std::size_t>(i - 1)]),
                             decimals);
        table_->SetValue(row, column++, result.error, std::max(1, decimals - 2));
        const bool ok = WithinThreshold(result.error, threshold);
        within += ok;
        table_->SetText(row, column, ok ? "✓" : "", Qt::AlignCenter);
    }
    summary_->setText(QString("%1 de %2 patrones dentro del umbral").arg(within).arg(patterns));
}
