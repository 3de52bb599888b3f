// SPDX-License-Identifier: GPL-3.0-or-later
#include "float_grid.h"

#include "field_cell_delegate.h"
#include "float_grid_delegate.h"
#include "float_grid_model.h"
#include "number_texts.h"
#include "program_error.h"
#include "regional_separators.h"

#include <QAbstractButton>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QStyleOptionHeader>

namespace {

constexpr int kDefaultRowHeight = 18;

void CheckCoordinates(int col, int row) {
    if (col < 0 || row < 0) throw ProgramError("Intento de acceder a una celda inexistente");
}

}  // namespace

TFloatGrid::TFloatGrid(int colCount, int rowCount, QWidget* parent)
    : QTableView(parent), model_(new FloatGridModel(format_, this)) {
    setModel(model_);
    setItemDelegate(new FloatGridDelegate(this));
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setCornerButtonEnabled(false);
    setWordWrap(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setHighlightSections(false);
    SetDefaultColWidth(defaultColWidth_);
    SetDefaultRowHeight(kDefaultRowHeight);
    // The corner is cell (0, 0): draw its text there.
    corner_ = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    if (corner_) corner_->installEventFilter(this);

    model_->Resize(colCount, rowCount);
    for (int row = 1; row < RowCount(); ++row) {
        for (int col = 1; col < ColCount(); ++col) model_->SetCell(col, row, QStringLiteral("0"));
    }
    ApplyColumnWidths();
}

TFloatGrid::~TFloatGrid() = default;

int TFloatGrid::ColCount() const { return model_->ColCount(); }

void TFloatGrid::SetColCount(int colCount) {
    model_->Resize(colCount, RowCount());
    ApplyColumnWidths();
}

int TFloatGrid::RowCount() const { return model_->RowCount(); }

void TFloatGrid::SetRowCount(int rowCount) {
    model_->Resize(ColCount(), rowCount);
    if (fillWidth_) ApplyColumnWidths();
}

QString TFloatGrid::Cells(int col, int row) const {
    CheckCoordinates(col, row);
    return model_->Cell(col, row);
}

void TFloatGrid::SetCells(int col, int row, const QString& text) {
    CheckCoordinates(col, row);
    model_->SetCell(col, row, text);
    if (col == 0 && row == 0 && corner_) {
        corner_->update();
        if (fillWidth_) ApplyColumnWidths();
    }
}

void TFloatGrid::SetFloat(int col, int row, double value) {
    if (col < 1 || col >= ColCount() || row < 1 || row >= RowCount())
        throw ProgramError("Intento de acceder a una celda inexistente");
    model_->SetCell(col, row, FileNumberText(value));
}

double TFloatGrid::GetFloat(int col, int row) {
    CheckCoordinates(col, row);
    const QString text = model_->Cell(col, row);
    const std::optional<double> number = ReadNumber(text);
    if (number) return *number;
    model_->SetCell(col, row, QStringLiteral("0"));
    return 0;
}

void TFloatGrid::SetEditable(bool editable) {
    editable_ = editable;
    model_->SetEditable(editable);
    setEditTriggers(editable ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                   QAbstractItemView::AnyKeyPressed
                             : QAbstractItemView::NoEditTriggers);
}

void TFloatGrid::SetFieldEditing(const QString& fieldFormat, std::function<bool(int col, int row)> editable) {
    setItemDelegate(new FieldCellDelegate(fieldFormat, [this](const QModelIndex& cell, double value) {
        emit FieldEdited(cell.column() + 1, cell.row() + 1, value);
    }, this));
    model_->SetEditableCell(std::move(editable));
    SetEditable(true);
}

void TFloatGrid::SetPasteHandler(std::function<void()> paste) { paste_ = std::move(paste); }

void TFloatGrid::keyPressEvent(QKeyEvent* event) {
    if (paste_ && event->matches(QKeySequence::Paste)) {
        paste_();
        return;
    }
    QTableView::keyPressEvent(event);
}

void TFloatGrid::SetMenuActions(const QList<QAction*>& actions) { menuActions_ = actions; }

void TFloatGrid::contextMenuEvent(QContextMenuEvent* event) {
    if (!paste_ && menuActions_.isEmpty()) {
        QTableView::contextMenuEvent(event);
        return;
    }
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addActions(menuActions_);
    if (paste_) {
        if (!menuActions_.isEmpty()) menu->addSeparator();
        QAction* paste = menu->addAction(QStringLiteral("Pegar"), this, [this] { paste_(); });
        paste->setObjectName(QStringLiteral("edit-paste"));
        paste->setShortcut(QKeySequence::Paste);
    }
    menu->popup(event->globalPos());
}

void TFloatGrid::SetDisplayFormat(const QString& pattern) {
    format_ = DisplayFormat(pattern.toStdString());
    model_->Reformat();
}

int TFloatGrid::ColWidth(int col) const {
    if (col >= 0 && col < static_cast<int>(colWidths_.size()) && colWidths_[col] > 0) return colWidths_[col];
    return defaultColWidth_;
}

void TFloatGrid::SetColWidth(int col, int width) {
    if (col < 0) return;
    if (col >= static_cast<int>(colWidths_.size())) colWidths_.resize(col + 1, 0);
    colWidths_[col] = width;
    ApplyColumnWidths();
}

void TFloatGrid::SetDefaultColWidth(int width) {
    defaultColWidth_ = width;
    horizontalHeader()->setDefaultSectionSize(width);
    ApplyColumnWidths();
}

void TFloatGrid::SetDefaultRowHeight(int height) {
    verticalHeader()->setDefaultSectionSize(height);
    horizontalHeader()->setFixedHeight(height);
}

void TFloatGrid::SetFillWidth(bool fill) {
    fillWidth_ = fill;
    ApplyColumnWidths();
}

void TFloatGrid::SetRowLabels(bool shown) {
    model_->SetRowLabels(shown);
    ApplyColumnWidths();
}

void TFloatGrid::ApplyColumnWidths() {
    const int label = LabelColumnWidth();
    verticalHeader()->setFixedWidth(label);
    int used = label;
    for (int col = 1; col < ColCount(); ++col) {
        setColumnWidth(col - 1, ColWidth(col));
        used += ColWidth(col);
    }
    if (!fillWidth_ || ColCount() < 2) return;
    // The scroll bar shows once the rows are taller than the grid.
    int room = width() - 2 * frameWidth();
    const int rowsHeight = horizontalHeader()->height() + (RowCount() - 1) * verticalHeader()->defaultSectionSize();
    if (rowsHeight > height() - 2 * frameWidth()) room -= style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int last = ColCount() - 1;
    setColumnWidth(last - 1, std::max(ColWidth(last), ColWidth(last) + room - used));
}

int TFloatGrid::LabelColumnWidth() const {
    if (!fillWidth_) return ColWidth(0);
    const QFontMetrics metrics = verticalHeader()->fontMetrics();
    int text = std::max(metrics.horizontalAdvance(model_->Cell(0, 0)),
                        metrics.horizontalAdvance(QString::number(std::max(1, RowCount() - 1))));
    if (model_->RowLabels())
        for (int row = 1; row < RowCount(); ++row) text = std::max(text, metrics.horizontalAdvance(model_->Cell(0, row)));
    const int margins = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this) + 4;
    return std::min(ColWidth(0), text + margins);
}

void TFloatGrid::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    if (fillWidth_) ApplyColumnWidths();
}

void TFloatGrid::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (fillWidth_ && (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)) ApplyColumnWidths();
}

QString TFloatGrid::DrawnText(int col, int row) const {
    CheckCoordinates(col, row);
    if (col >= ColCount() || row >= RowCount()) return {};
    if (col == 0 && row == 0) return model_->Cell(0, 0);
    if (row == 0) return model_->headerData(col - 1, Qt::Horizontal, Qt::DisplayRole).toString();
    if (col == 0) return model_->headerData(row - 1, Qt::Vertical, Qt::DisplayRole).toString();
    const QString formatted = model_->index(row - 1, col - 1).data(Qt::DisplayRole).toString();
    return FloatGridDelegate::Fitted(formatted, viewport()->font(), columnWidth(col - 1)).text;
}

bool TFloatGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == corner_ && event->type() == QEvent::Paint) {
        QAbstractButton* corner = corner_;
        QPainter painter(corner);
        QStyleOptionHeader option;
        // The corner button is disabled so that a click selects nothing; its
        // caption is a header all the same, drawn like the other headers.
        option.initFrom(horizontalHeader());
        option.rect = corner->rect();
        option.text = model_->Cell(0, 0);
        option.textAlignment = Qt::AlignCenter;
        option.position = QStyleOptionHeader::OnlyOneSection;
        style()->drawControl(QStyle::CE_Header, &option, &painter, corner);
        return true;
    }
    return QTableView::eventFilter(watched, event);
}
