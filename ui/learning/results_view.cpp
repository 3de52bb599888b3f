// SPDX-License-Identifier: GPL-3.0-or-later
#include "results_view.h"

#include "io_names.h"
#include "iteration_error.h"
#include "learning_choices.h"
#include "network.h"
#include "pattern_classes.h"
#include "pattern_result.h"
#include "pattern_set.h"
#include "regional_separators.h"
#include "training_tab_view.h"
#include "value_table.h"
#include "work_state.h"

#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>
#include <span>
#include <vector>

ResultsView::ResultsView(const TrainingTabView& training, const LearningChoices& choices, QWidget* parent)
    : NetworkView(parent), training_(training), choices_(choices),
      trainingGroup_(MakeGroup("Patrones de entrenamiento", "results")),
      testGroup_(MakeGroup("Patrones de prueba", "testResults")) {
    setObjectName("resultsView");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(trainingGroup_.box, 1);
    layout->addWidget(testGroup_.box, 1);
    testGroup_.box->hide();
    connect(&choices_, &LearningChoices::DecimalsChanged, this, [this] { Refresh(); });
}

ResultsView::Group ResultsView::MakeGroup(const QString& title, const QString& name) {
    Group group{new QGroupBox(title), new QLabel, new QLabel,
                new ValueTable(name + "Table", "Resultados por patrón: " + title.toLower())};
    group.box->setObjectName(name + "Group");
    group.summary->setObjectName(name + "Summary");
    group.tally->setObjectName(name + "ClassTally");
    group.summary->setWordWrap(true);
    auto* layout = new QVBoxLayout(group.box);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(group.summary);
    layout->addWidget(group.tally);
    layout->addWidget(group.table, 1);
    return group;
}

QString ResultsView::Summary() const { return trainingGroup_.summary->text(); }

void ResultsView::Recompute(const TRedNeuronal& network, const WorkState& state) {
    const PatternSet training = TrainingPatterns(state), test = TestPatterns(state);
    testGroup_.box->setVisible(state.RedCreada && test.count > 0);
    if (!state.RedCreada) {
        trainingGroup_.summary->setText("Aún no hay ninguna red: créela en «Configuración» o abra un archivo.");
        trainingGroup_.tally->hide();
        trainingGroup_.table->SetRows(0);
        trainingGroup_.table->SetColumns({}, {});
        return;
    }
    const NetworkSnapshot snapshot = TakeSnapshot(network);
    const std::optional<ClassScheme> scheme = FindClasses(state, snapshot.outputs);
    ShowColumns(state, snapshot.inputs, snapshot.outputs, scheme.has_value());
    if (training.count > 0) {
        ShowSet(trainingGroup_, snapshot, training, scheme, state);
    } else {
        trainingGroup_.summary->setText("La tabla de patrones está vacía: introduzca patrones en «Introducir Datos».");
        trainingGroup_.tally->hide();
        trainingGroup_.table->SetRows(0);
    }
    if (test.count > 0) ShowSet(testGroup_, snapshot, test, scheme, state);
}

void ResultsView::ShowColumns(const WorkState& state, int inputs, int outputs, bool classes) {
    const double threshold = training_.LargestErrorThreshold();
    QStringList headers{"Patrón"}, tips{"El número del patrón en su tabla de patrones."};
    for (int i = 1; i <= inputs; ++i)
        headers << QString::fromStdString(InputName(state, i)), tips << "Una entrada del patrón, x.";
    const auto perOutput = [&](const QString& symbol, const QString& tip) {
        for (int k = 1; k <= outputs; ++k) headers << symbol + "\n" + QString::fromStdString(OutputName(state, k)), tips << tip;
    };
    perOutput("d", "La salida esperada del patrón.");
    perOutput("y", "La salida que da la red ahora para las entradas del patrón.");
    perOutput("|d − y|", "El error absoluto de la salida: la distancia entre la esperada y la obtenida.");
    headers << "Error (%)" << QString("Error Máx<=\n%1 %").arg(threshold);
    tips << "El error de la iteración, la medida del entrenamiento: la media, sobre las salidas, de |d − y| en "
            "% de |d|; donde d = 0, |d − y| × 100."
         << "✓ donde el error del patrón no pasa del umbral «Error Máx<=» de la pestaña de entrenamiento.";
    if (classes) {
        headers << "Clase esperada" << "Clase obtenida" << "✓/✗";
        tips << "La salida que el patrón espera mayor; con una sola salida, cuál de sus dos valores espera."
             << "La salida con la y mayor; con una sola salida, el lado del punto medio de sus dos valores en que "
                "cae y."
             << "✓ donde la clase obtenida es la esperada, ✗ donde no.";
    }
    // The shape and the headers change rarely; written in place, unchanged ones cost no layout.
    for (const Group* group : {&trainingGroup_, &testGroup_}) group->table->SetColumns(headers, tips);
}

void ResultsView::ShowSet(const Group& group, const NetworkSnapshot& snapshot, const PatternSet& set,
                          const std::optional<ClassScheme>& scheme, const WorkState& state) {
    const int n = snapshot.inputs, outputs = snapshot.outputs, decimals = choices_.Decimals();
    const double threshold = training_.LargestErrorThreshold();
    const char separator = RegionalDecimalSeparator();
    ValueTable& table = *group.table;
    table.SetRows(set.count);
    std::vector<PatternClass> classes;
    for (int p = 1; p <= set.count; ++p) {
        const PatternResult result = EvaluatePattern(snapshot, set, p);
        const auto row = p - 1;
        int column = 0;
        table.SetText(row, column++, QString::number(p));
        const auto& x = (*set.inputs)[static_cast<std::size_t>(p)];
        const auto& d = (*set.outputs)[static_cast<std::size_t>(p)];
        for (int k = 1; k <= n; ++k) table.SetValue(row, column++, x[static_cast<std::size_t>(k)], decimals);
        for (int i = 1; i <= outputs; ++i) table.SetValue(row, column++, d[static_cast<std::size_t>(i)], decimals);
        for (double y : result.outputs) table.SetValue(row, column++, y, decimals);
        for (int i = 1; i <= outputs; ++i)
            table.SetValue(row, column++,
                           AbsoluteError(d[static_cast<std::size_t>(i)], result.outputs[static_cast<std::size_t>(i - 1)]),
                           decimals);
        table.SetValue(row, column++, result.error, std::max(1, decimals - 2));
        table.SetText(row, column++, WithinThreshold(result.error, threshold) ? "✓" : "", Qt::AlignCenter);
        if (!scheme) continue;
        const PatternClass c =
            ClassOf(*scheme, std::span(d).subspan(1, static_cast<std::size_t>(outputs)), result.outputs);
        classes.push_back(c);
        const auto name = [&](std::int32_t k) {
            return k == 0 ? QString("—") : QString::fromStdString(ClassName(*scheme, state, k, separator));
        };
        table.SetText(row, column++, name(c.expected));
        table.SetText(row, column++, name(c.obtained));
        table.SetText(row, column, c.Correct() ? "✓" : "✗", Qt::AlignCenter);
    }
    const ThresholdCount count = CountWithinThreshold(snapshot, set, threshold);
    group.summary->setText(QString("%1 de %2 patrones dentro del umbral").arg(count.within).arg(count.patterns));
    group.tally->setVisible(scheme.has_value());
    if (scheme) group.tally->setText(QString::fromStdString(ClassTallyText(TallyClasses(classes), separator)));
}
