// SPDX-License-Identifier: GPL-3.0-or-later
#include "float_grid_delegate.h"

#include "grid_cell_edit.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QPersistentModelIndex>

FloatGridDelegate::Fit FloatGridDelegate::Fitted(const QString& text, const QFont& font, int cellWidth) {
    const int room = cellWidth - 4;
    QFont face = font;
    for (int pixels = QFontInfo(face).pixelSize();; face.setPixelSize(--pixels)) {
        if (QFontMetrics(face).horizontalAdvance(text) <= room) return {text, face};
        if (pixels <= kSmallestPixels) break;
    }
    const int hash = QFontMetrics(font).horizontalAdvance(QLatin1Char('#'));
    return {QString(hash > 0 ? std::max(0, room / hash) : 0, QLatin1Char('#')), font};
}

void FloatGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const Fit fit = Fitted(cell.text, cell.font, cell.rect.width());
    cell.text = fit.text;
    cell.font = fit.font;
    cell.fontMetrics = QFontMetrics(fit.font);
    cell.textElideMode = Qt::ElideNone;
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
}

QWidget* FloatGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const {
    auto* editor = new GridCellEdit(index.data(Qt::EditRole).toString(), parent);
    // The cell follows the editor as it is typed into, so a handler reading
    // the grid while the cell is still being edited sees what was typed.
    connect(editor, &QLineEdit::textChanged, this, [this, editor, cell = QPersistentModelIndex(index)] {
        if (editor->text() != cell.data(Qt::EditRole).toString())
            emit const_cast<FloatGridDelegate*>(this)->commitData(editor);
    });
    return editor;
}

void FloatGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* edit = static_cast<GridCellEdit*>(editor);
    const QString text = index.data(Qt::EditRole).toString();
    // Called again on each change of the cell: leave the caret alone when
    // the change came from this editor.
    if (edit->text() != text) edit->setText(text);
}

void FloatGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
    model->setData(index, static_cast<GridCellEdit*>(editor)->text(), Qt::EditRole);
}

bool FloatGridDelegate::eventFilter(QObject* watched, QEvent* event) {
    // In a grid that Tab leaves, Tab from a cell being edited leaves it too
    // (the edit is kept as the focus goes), instead of opening the next cell.
    const auto* view = qobject_cast<QLineEdit*>(watched) ? qobject_cast<const QAbstractItemView*>(parent()) : nullptr;
    if (view && !view->tabKeyNavigation() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) return false;
    }
    auto* edit = qobject_cast<GridCellEdit*>(watched);
    if (edit && event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        // Esc undoes the edit of the cell.
        edit->setText(edit->Original());
        emit commitData(edit);
        emit closeEditor(edit, NoHint);
        return true;
    }
    return QStyledItemDelegate::eventFilter(watched, event);
}
