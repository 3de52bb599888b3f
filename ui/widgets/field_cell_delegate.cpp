// SPDX-License-Identifier: GPL-3.0-or-later
#include "field_cell_delegate.h"

#include "float_edit.h"
#include "number_texts.h"

namespace {

// The value a cell showed when its edit began.
constexpr const char* kStartValue = "startValue";

}  // namespace

FieldCellDelegate::FieldCellDelegate(const QString& fieldFormat, Stored stored, QObject* parent)
    : FloatGridDelegate(parent), fieldFormat_(fieldFormat), stored_(std::move(stored)) {}

QWidget* FieldCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const {
    auto* editor = new TFloatEdit(parent);
    editor->SetDisplayFormat(fieldFormat_);
    return editor;
}

void FieldCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* edit = static_cast<TFloatEdit*>(editor);
    if (edit->property(kStartValue).isValid()) return;
    const QString text = index.data(Qt::EditRole).toString();
    edit->setText(text);
    edit->setProperty(kStartValue, ReadNumber(text).value_or(0.0));
}

void FieldCellDelegate::setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const {
    const auto* edit = static_cast<TFloatEdit*>(editor);
    // The value rounded to double, as "Añadir Patrón" stores a field's value.
    // An edit that leaves the number shown stores nothing: the table may
    // hold more digits than the cell shows.
    const auto value = static_cast<double>(edit->Value());
    if (value != edit->property(kStartValue).toDouble()) stored_(index, value);
}
