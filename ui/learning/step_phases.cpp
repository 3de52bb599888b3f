// SPDX-License-Identifier: GPL-3.0-or-later
#include "step_phases.h"

#include "value_table.h"
#include "value_text.h"

#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Each phase's table, in the order WorkedRows gives them.
constexpr const char* kTableNames[] = {"forwardTable", "deltaTable", "weightTable", "hiddenWeightTable"};
constexpr const char* kLineNames[] = {"forwardComputation", "deltaComputation", "weightComputation",
                                      "hiddenWeightComputation"};
constexpr const char* kTitles[] = {"Propagación hacia delante", "Deltas, hacia atrás: de la salida a la capa oculta",
                                   "Pesos de la capa de salida, neurona a neurona",
                                   "Pesos de la capa oculta, neurona a neurona"};

// The phases' names in the bar above them, short enough to leave the pattern's values room.
constexpr const char* kShortTitles[] = {"Hacia delante", "Deltas, hacia atrás", "Pesos de la salida",
                                        "Pesos de la oculta"};

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

StepPhases::StepPhases(QWidget* parent) : QStackedWidget(parent) {
    for (std::size_t p = 0; p < std::size(kTableNames); ++p) {
        auto* page = new QWidget;
        const Page phase{new ValueTable(kTableNames[p], kTitles[p]), new QLabel, new QLabel};
        phase.key->setObjectName(QString(kTableNames[p]) + "Key");
        phase.key->setWordWrap(true);
        phase.line->setObjectName(kLineNames[p]);
        phase.line->setWordWrap(true);
        phase.line->setTextInteractionFlags(Qt::TextSelectableByMouse);
        // One line is kept for the computation, so the table does not jump
        // from a row with one to a row without.
        phase.line->setMinimumHeight(phase.line->fontMetrics().lineSpacing());
        auto* layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        layout->addWidget(phase.table, 1);
        layout->addWidget(phase.key);
        layout->addWidget(phase.line);
        addWidget(page);
        connect(phase.table, &QTableWidget::currentCellChanged, this, [this, p](int row) { ShowLine(p, row); });
        pages_.push_back(phase);
    }
}

QString StepPhases::Title(int phase) { return kShortTitles[std::clamp(phase, 0, int(std::size(kShortTitles)) - 1)]; }

int StepPhases::Count() const { return std::max(1, static_cast<int>(shown_.size())); }

QList<ValueTable*> StepPhases::Tables() const {
    QList<ValueTable*> tables;
    for (const Page& page : pages_) tables << page.table;
    return tables;
}

void StepPhases::Clear() {
    shown_.clear();
    for (const Page& page : pages_) {
        page.table->clear();
        page.table->setRowCount(0);
        page.table->setColumnCount(0);
        page.key->clear();
        page.line->clear();
    }
}

void StepPhases::Show(std::vector<WorkedTable> tables, int decimals) {
    Clear();
    shown_ = std::move(tables);
    decimals_ = decimals;
    for (std::size_t p = 0; p < shown_.size() && p < pages_.size(); ++p) {
        const WorkedTable& worked = shown_[p];
        ValueTable* table = pages_[p].table;
        QStringList headers, tips;
        for (const WorkedColumn& column : worked.columns) headers << Text(column.header), tips << Text(column.tip);
        table->SetColumns(headers, tips);
        table->SetRows(static_cast<int>(worked.rows.size()));
        for (std::size_t r = 0; r < worked.rows.size(); ++r)
            for (std::size_t c = 0; c < worked.rows[r].cells.size(); ++c) {
                const WorkedTerm& cell = worked.rows[r].cells[c];
                if (cell.kind == WorkedTerm::Kind::Text) table->SetText(int(r), int(c), Text(cell.text));
                else table->SetValue(int(r), int(c), cell.value, decimals);
            }
        pages_[p].key->setText(Text(worked.key));
        const auto first =
            std::find_if(worked.rows.begin(), worked.rows.end(), [](const WorkedRow& row) { return !row.line.empty(); });
        table->setCurrentCell(first == worked.rows.end() ? -1 : int(first - worked.rows.begin()), 0);
    }
}

void StepPhases::ShowDecimals(int decimals) {
    decimals_ = decimals;
    for (std::size_t p = 0; p < pages_.size(); ++p) {
        pages_[p].table->ShowDecimals(decimals);
        ShowLine(p, pages_[p].table->currentRow());
    }
}

void StepPhases::ShowLine(std::size_t phase, int row) {
    QLabel* line = pages_[phase].line;
    if (phase >= shown_.size() || row < 0 || row >= static_cast<int>(shown_[phase].rows.size())) {
        line->clear();
        return;
    }
    line->setText(TermsText(shown_[phase].rows[static_cast<std::size_t>(row)].line, decimals_));
}
