// SPDX-License-Identifier: GPL-3.0-or-later
#include "value_table.h"

#include "number_texts.h"
#include "value_text.h"

#include <QHeaderView>

namespace {

// Where a cell keeps its value in full.
constexpr int kValueRole = Qt::UserRole;

}  // namespace

ValueTable::ValueTable(const QString& name, const QString& title, QWidget* parent) : QTableWidget(parent) {
    setObjectName(name);
    setAccessibleName(title);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    verticalHeader()->hide();
    // Rows as close as the text allows, so that more of them are in sight.
    verticalHeader()->setMinimumSectionSize(fontMetrics().height() + 2);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 2);
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
}

void ValueTable::SetColumns(const QStringList& headers, const QStringList& tips) {
    if (columnCount() != headers.size()) setColumnCount(static_cast<int>(headers.size()));
    for (int c = 0; c < headers.size(); ++c) {
        QTableWidgetItem* item = horizontalHeaderItem(c);
        if (!item) setHorizontalHeaderItem(c, item = new QTableWidgetItem);
        if (item->text() != headers[c]) item->setText(headers[c]);
        const QString tip = c < tips.size() ? tips[c] : QString();
        if (item->toolTip() != tip) item->setToolTip(tip);
    }
}

void ValueTable::SetRows(int rows) {
    if (rowCount() != rows) setRowCount(rows);
}

QTableWidgetItem* ValueTable::Cell(int row, int column, Qt::Alignment alignment) {
    QTableWidgetItem* cell = item(row, column);
    if (!cell) setItem(row, column, cell = new QTableWidgetItem);
    // A column that moved (another shape of network) may hold another kind of cell now.
    if (cell->textAlignment() != static_cast<int>(alignment)) cell->setTextAlignment(alignment);
    return cell;
}

void ValueTable::SetText(int row, int column, const QString& text, Qt::Alignment alignment) {
    QTableWidgetItem* cell = Cell(row, column, alignment);
    if (cell->data(kValueRole).isValid()) cell->setData(kValueRole, QVariant());
    if (cell->text() != text) cell->setText(text);
    if (!cell->toolTip().isEmpty()) cell->setToolTip({});
}

void ValueTable::SetValue(int row, int column, double value, int decimals) {
    QTableWidgetItem* cell = Cell(row, column, Qt::AlignRight | Qt::AlignVCenter);
    const QString text = RoundedText(value, decimals), full = FileNumberText(value);
    cell->setData(kValueRole, value);
    if (cell->text() != text) cell->setText(text);
    if (cell->toolTip() != full) cell->setToolTip(full);
}

void ValueTable::ShowDecimals(int decimals) {
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c)
            if (QTableWidgetItem* cell = item(r, c); cell && cell->data(kValueRole).isValid())
                cell->setText(RoundedText(cell->data(kValueRole).toDouble(), decimals));
}

QString ValueTable::TabSeparatedText() const {
    QStringList lines{accessibleName()};
    QStringList headers;
    for (int c = 0; c < columnCount(); ++c)
        headers << (horizontalHeaderItem(c) ? horizontalHeaderItem(c)->text().replace('\n', ' ') : QString());
    lines << headers.join('\t');
    for (int r = 0; r < rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < columnCount(); ++c) {
            const QTableWidgetItem* cell = item(r, c);
            const QVariant value = cell ? cell->data(kValueRole) : QVariant();
            cells << (value.isValid() ? FileNumberText(value.toDouble()) : cell ? cell->text() : QString());
        }
        lines << cells.join('\t');
    }
    return lines.join('\n');
}

int ValueTable::WholeHeight() const {
    return horizontalHeader()->height() + verticalHeader()->length() + 2 * frameWidth();
}

QImage ValueTable::WholeImage() {
    const QRect kept = geometry();
    // A table on a page behind another has not laid its columns out yet.
    horizontalHeader()->resizeSections(QHeaderView::ResizeToContents);
    resize(horizontalHeader()->length() + 2 * frameWidth(), WholeHeight());
    const QImage image = grab().toImage();
    setGeometry(kept);
    return image;
}
