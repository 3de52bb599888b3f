// SPDX-License-Identifier: GPL-3.0-or-later
#include "float_grid_model.h"

#include "number_texts.h"
#include "regional_separators.h"

#include <algorithm>

FloatGridModel::FloatGridModel(const DisplayFormat& format, QObject* parent)
    : QAbstractTableModel(parent), format_(format) {}

void FloatGridModel::Resize(int colCount, int rowCount) {
    colCount = std::max(colCount, 1);
    rowCount = std::max(rowCount, 1);
    if (rowCount < rowCount_) {
        beginRemoveRows({}, rowCount - 1, rowCount_ - 2);
        rowCount_ = rowCount;
        endRemoveRows();
    } else if (rowCount > rowCount_ && rowCount_ > 0) {
        beginInsertRows({}, rowCount_ - 1, rowCount - 2);
        rowCount_ = rowCount;
        endInsertRows();
    }
    if (colCount < colCount_) {
        beginRemoveColumns({}, colCount - 1, colCount_ - 2);
        colCount_ = colCount;
        endRemoveColumns();
    } else if (colCount > colCount_ && colCount_ > 0) {
        beginInsertColumns({}, colCount_ - 1, colCount - 2);
        colCount_ = colCount;
        endInsertColumns();
    }
    if (rowCount_ == 0 || colCount_ == 0) {
        beginResetModel();
        colCount_ = colCount;
        rowCount_ = rowCount;
        endResetModel();
    }
}

QString FloatGridModel::Cell(int col, int row) const {
    if (row >= static_cast<int>(cells_.size()) || col >= static_cast<int>(cells_[row].size())) return {};
    return cells_[row][col];
}

void FloatGridModel::SetCell(int col, int row, const QString& text) {
    if (row >= static_cast<int>(cells_.size())) cells_.resize(row + 1);
    if (col >= static_cast<int>(cells_[row].size())) cells_[row].resize(col + 1);
    cells_[row][col] = text;
    if (row == 0 && col >= 1) {
        emit headerDataChanged(Qt::Horizontal, col - 1, col - 1);
    } else if (col == 0 && row >= 1 && row < rowCount_) {
        if (rowLabels_) emit headerDataChanged(Qt::Vertical, row - 1, row - 1);
    } else if (row >= 1 && col >= 1 && row < rowCount_ && col < colCount_) {
        const QModelIndex at = index(row - 1, col - 1);
        emit dataChanged(at, at);
    }
}

double FloatGridModel::Number(int col, int row) const {
    return ReadNumber(Cell(col, row)).value_or(0.0);
}

void FloatGridModel::SetRowLabels(bool shown) {
    rowLabels_ = shown;
    if (rowCount() > 0) emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
}

void FloatGridModel::Reformat() {
    if (rowCount() > 0 && columnCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int FloatGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rowCount_ - 1; }

int FloatGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : colCount_ - 1; }

QVariant FloatGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int col = index.column() + 1;
    const int row = index.row() + 1;
    switch (role) {
        case Qt::DisplayRole:
            return FormattedNumber(format_, Number(col, row));
        case Qt::EditRole:
            return Cell(col, row);
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
        default:
            return {};
    }
}

QVariant FloatGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    const bool label = orientation == Qt::Vertical && rowLabels_ && !Cell(0, section + 1).isEmpty();
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(orientation == Qt::Horizontal ? Qt::Alignment(Qt::AlignCenter)
                                   : label ? Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter)
                                           : Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    }
    if (label && role == Qt::ToolTipRole) return Cell(0, section + 1);
    if (role != Qt::DisplayRole) return {};
    // Unless asked for its labels, the label column shows the row number,
    // whatever text its cell holds.
    if (orientation == Qt::Vertical) return label ? Cell(0, section + 1) : QString::number(section + 1);
    return Cell(section + 1, 0);
}

bool FloatGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    SetCell(index.column() + 1, index.row() + 1, value.toString());
    return true;
}

Qt::ItemFlags FloatGridModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (editable_ && (!editableCell_ || editableCell_(index.column() + 1, index.row() + 1))) flags |= Qt::ItemIsEditable;
    return flags;
}
