// SPDX-License-Identifier: GPL-3.0-or-later
#include "confusion_view.h"

#include "confusion_matrix.h"
#include "network.h"
#include "pattern_classes.h"
#include "pattern_set.h"
#include "regional_separators.h"
#include "value_colours.h"
#include "value_table.h"
#include "work_state.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

ConfusionView::ConfusionView(QWidget* parent)
    : NetworkView(parent), message_(new QLabel), copy_(new QPushButton("Copiar")),
      training_(MakePart("trainingConfusion")), test_(MakePart("testConfusion")) {
    setObjectName("confusionView");
    message_->setObjectName("confusionMessage");
    message_->setWordWrap(true);
    copy_->setObjectName("copyConfusionButton");
    copy_->setAutoDefault(false);
    copy_->setToolTip("Pone las matrices en el portapapeles como texto separado por tabuladores.");
    connect(copy_, &QPushButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setText(TabSeparatedText()); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(copy_);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(buttons);
    layout->addWidget(message_);
    for (const Part* part : {&training_, &test_}) {
        layout->addWidget(part->title);
        layout->addWidget(part->table, 1);
    }
    ShowNone({});
}

ConfusionView::Part ConfusionView::MakePart(const QString& name) {
    const QString title = name.startsWith("test") ? "Patrones de prueba" : "Patrones de entrenamiento";
    Part part{new QLabel(title), new ValueTable(name + "Table", "Matriz de confusión: " + title.toLower())};
    part.title->setObjectName(name + "Title");
    part.table->setSelectionBehavior(QAbstractItemView::SelectItems);
    return part;
}

QString ConfusionView::Message() const { return message_->isHidden() ? QString() : message_->text(); }

QString ConfusionView::TabSeparatedText() const {
    QStringList matrices;
    for (const Part* part : {&training_, &test_})
        if (!part->table->isHidden()) matrices << part->table->TabSeparatedText();
    return matrices.join("\n\n");
}

QColor ConfusionView::Shade(int count, int largest, const QColor& base) {
    const double t = largest > 0 ? static_cast<double>(count) / largest : 0.0;
    const QColor full = kPositiveColour;
    const auto mix = [t](int from, int to) { return static_cast<int>(from + (to - from) * t + 0.5); };
    return QColor(mix(base.red(), full.red()), mix(base.green(), full.green()), mix(base.blue(), full.blue()));
}

void ConfusionView::ShowNone(const QString& why) {
    message_->setText(why);
    message_->setVisible(!why.isEmpty());
    copy_->setEnabled(why.isEmpty());
    for (const Part* part : {&training_, &test_}) {
        part->title->hide();
        part->table->hide();
    }
}

void ConfusionView::Recompute(const TRedNeuronal& network, const WorkState& state) {
    const PatternSet training = TrainingPatterns(state), test = TestPatterns(state);
    if (!state.RedCreada) return ShowNone("Aún no hay ninguna red: créela en «Configuración» o abra un archivo.");
    if (training.count < 1 && test.count < 1)
        return ShowNone("La tabla de patrones está vacía: introduzca patrones en «Introducir Datos».");
    const NetworkSnapshot snapshot = TakeSnapshot(network);
    const std::optional<ClassScheme> scheme = FindClasses(state, snapshot.outputs);
    if (!scheme)
        return ShowNone(
            "No hay matriz de confusión: las salidas esperadas no señalan clases. Hacen falta patrones cuya fila de "
            "salidas esperadas tenga un solo valor mayor que los demás (con dos o más salidas), o una única salida "
            "que tome exactamente dos valores en todos los patrones.");
    ShowNone({});
    for (const auto& [part, set] : {std::pair{&training_, training}, std::pair{&test_, test}}) {
        if (set.count < 1) continue;
        ShowMatrix(*part, CountConfusion(*scheme, ClassifySet(snapshot, *scheme, set)), *scheme, state);
        part->title->show();
        part->table->show();
    }
}

void ConfusionView::ShowMatrix(const Part& part, const ConfusionMatrix& matrix, const ClassScheme& scheme,
                               const WorkState& state) {
    const char separator = RegionalDecimalSeparator();
    const auto name = [&](int c) { return QString::fromStdString(ClassName(scheme, state, c, separator)); };
    // Patterns whose pass overflowed get no class: a column of their own, only when there are some.
    bool unclassed = false;
    for (int e = 1; e <= matrix.classes; ++e) unclassed = unclassed || matrix.Count(e, 0) > 0;
    QList<int> obtained;
    for (int o = 1; o <= matrix.classes; ++o) obtained << o;
    if (unclassed) obtained << 0;
    QStringList headers{"Esperada \\ Obtenida"};
    QStringList tips{"Filas: la clase que espera el patrón. Columnas: la clase que le da la red ahora."};
    for (int o : obtained)
        headers << (o ? name(o) : "Sin clase"),
            tips << (o ? "Obtenida: " + name(o) + "." : "Patrones cuya propagación se desbordó: ninguna clase.");
    ValueTable& table = *part.table;
    table.SetColumns(headers, tips);
    table.SetRows(matrix.classes);
    const int largest = matrix.Largest();
    const QColor base = table.palette().color(QPalette::Base), text = table.palette().color(QPalette::Text);
    for (int e = 1; e <= matrix.classes; ++e) {
        table.SetText(e - 1, 0, name(e));
        int column = 1;
        for (int o : obtained) {
            const int count = matrix.Count(e, o);
            table.SetText(e - 1, column, QString::number(count), Qt::AlignCenter);
            QTableWidgetItem* cell = table.item(e - 1, column++);
            const QBrush shade(Shade(count, largest, base));
            // Dark cells carry light text.
            const QBrush ink(2 * count > largest ? QColor(Qt::white) : text);
            if (cell->background() != shade) cell->setBackground(shade);
            if (cell->foreground() != ink) cell->setForeground(ink);
        }
    }
}
