// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The cells of a float grid as a Qt table model. The grid's row 0 and
// column 0 are the view's headers, so model cell (r, c) is grid cell
// (c + 1, r + 1). Texts are kept for every cell ever written, also outside
// the current size.

#include "display_format.h"

#include <QAbstractTableModel>
#include <QString>

#include <functional>
#include <vector>

class FloatGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit FloatGridModel(const DisplayFormat& format, QObject* parent = nullptr);

    int ColCount() const { return colCount_; }
    int RowCount() const { return rowCount_; }
    void Resize(int colCount, int rowCount);

    QString Cell(int col, int row) const;
    void SetCell(int col, int row, const QString& text);
    // The data cell's text read as a number; blank or no number is 0.
    double Number(int col, int row) const;

    void SetEditable(bool editable) { editable_ = editable; }
    // Which data cells (col, row) of an editable grid open; all when unset.
    void SetEditableCell(std::function<bool(int col, int row)> editable) { editableCell_ = std::move(editable); }
    // The label column shows the row's label cell instead of its number.
    void SetRowLabels(bool shown);
    bool RowLabels() const { return rowLabels_; }
    // The display format changed: every data cell looks different.
    void Reformat();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    const DisplayFormat& format_;
    int colCount_ = 0;
    int rowCount_ = 0;
    bool editable_ = false;
    bool rowLabels_ = false;
    std::function<bool(int col, int row)> editableCell_;
    std::vector<std::vector<QString>> cells_;  // [row][col]
};
