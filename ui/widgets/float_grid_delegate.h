#pragma once
// Draws the data cells of a float grid (formatted, right-aligned, a run of
// "#" when the number does not fit) and edits them with a GridCellEdit whose
// text reaches the cell as it is typed.

#include <QStyledItemDelegate>

class QFontMetrics;

class FloatGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The text as drawn in a cell `cellWidth` pixels wide: itself when it
    // fits in the width less 4 pixels, else as many "#" as fit there.
    static QString Fitted(const QString& text, const QFontMetrics& metrics, int cellWidth);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
