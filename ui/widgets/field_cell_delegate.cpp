// SPDX-License-Identifier: GPL-3.0-or-later
#include "field_cell_delegate.h"

#include "float_edit.h"
#include "number_texts.h"

namespace {

// The text a cell's editor started from: the cell's whole number.
constexpr const char* kStartText = "startText";

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
    if (edit->property(kStartText).isValid()) return;
    const QString text = index.data(Qt::EditRole).toString();
    edit->setText(text);
    edit->setProperty(kStartText, text);
}

void FieldCellDelegate::setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const {
    const auto* edit = static_cast<TFloatEdit*>(editor);
    // The number is read from the text the user sees: however the editor
    // closes, what it shows is what was typed. An edit that leaves the
    // number it started from stores nothing, since the table may hold more
    // digits than the cell's text; a changed one is stored rounded to
    // double, as "Añadir Patrón" stores a field's value (empty counts as 0).
    const double value = ReadNumber(edit->text()).value_or(0.0);
    if (value != ReadNumber(edit->property(kStartText).toString()).value_or(0.0)) stored_(index, value);
}
