// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Edits a float grid's cells with a float field's edit box, so a cell takes
// what the entry fields take, key by key. The value goes to a callback when
// the edit is stored (Enter, or leaving the cell), not into the cell; Esc,
// or an edit left untouched, stores nothing.

#include "float_grid_delegate.h"

#include <functional>

class FieldCellDelegate : public FloatGridDelegate {
    Q_OBJECT
public:
    using Stored = std::function<void(const QModelIndex& cell, double value)>;
    FieldCellDelegate(const QString& fieldFormat, Stored stored, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

private:
    QString fieldFormat_;
    Stored stored_;
};
