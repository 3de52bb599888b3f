// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Draws the data cells of a float grid (formatted, right-aligned, in a
// smaller face when the number is wider than its column, a run of "#" only
// when it does not fit even then) and edits them with a GridCellEdit whose
// text reaches the cell as it is typed.

#include <QFont>
#include <QStyledItemDelegate>

class FloatGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The smallest face a number is shrunk to before it gives way to "#".
    static constexpr int kSmallestPixels = 7;

    struct Fit {
        QString text;
        QFont font;
    };
    // The text and face drawn in a cell `cellWidth` pixels wide: the text in
    // the largest face, from `font` down to kSmallestPixels, in which it fits
    // the width less 4 pixels; else as many "#" as fit there in `font`.
    static Fit Fitted(const QString& text, const QFont& font, int cellWidth);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
