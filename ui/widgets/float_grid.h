// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A grid of text cells whose data cells are understood as numbers. Row 0 is
// the header row and column 0 the label column; the data cells are columns
// 1..ColCount()-1 of rows 1..RowCount()-1. Cells are addressed (col, row).
// Cell texts outside the current size are kept, not shown.

#include "display_format.h"

#include <QList>
#include <QString>
#include <QTableView>

#include <functional>
#include <vector>

class FloatGridModel;
class QAbstractButton;
class QAction;

class TFloatGrid : public QTableView {
    Q_OBJECT
public:
    // A grid of the given size whose data cells all hold "0".
    explicit TFloatGrid(int colCount = 5, int rowCount = 5, QWidget* parent = nullptr);
    ~TFloatGrid() override;

    int ColCount() const;
    void SetColCount(int colCount);
    int RowCount() const;
    // A count of 1 leaves only the header row.
    void SetRowCount(int rowCount);

    // Any cell, header and label cells included; "" for a cell never written.
    // Negative coordinates throw ProgramError.
    QString Cells(int col, int row) const;
    void SetCells(int col, int row, const QString& text);

    // Writes the real in the general form with 15 significant digits. Throws
    // ProgramError("Intento de acceder a una celda inexistente") outside the
    // data area.
    void SetFloat(int col, int row, double value);
    // The cell read as a number; a cell that holds no number reads 0 and is
    // rewritten as "0".
    double GetFloat(int col, int row);

    bool Editable() const { return editable_; }
    // Whether the user may edit the data cells (double click, F2 or typing).
    void SetEditable(bool editable);

    // Data cells edited through a float field's key rules (display format
    // `fieldFormat`) instead of the plain cell editor, only where `editable`
    // allows. Enter or leaving the cell emits FieldEdited with the value
    // typed (the cell is the handler's to write); Esc drops the edit.
    void SetFieldEditing(const QString& fieldFormat, std::function<bool(int col, int row)> editable);

    // What Ctrl+V and the context menu's "Pegar" do; unset, the grid takes
    // no paste.
    void SetPasteHandler(std::function<void()> paste);
    // Actions the context menu offers before "Pegar" (the owner's undo and
    // redo); the grid does not own them.
    void SetMenuActions(const QList<QAction*>& actions);

    const DisplayFormat& Format() const { return format_; }
    void SetDisplayFormat(const QString& pattern);

    int ColWidth(int col) const;
    void SetColWidth(int col, int width);
    void SetDefaultColWidth(int width);
    void SetDefaultRowHeight(int height);

    // A grid that fills its width: the label column narrows to its widest
    // text (never past its set width) and the last column takes the room
    // left, so the numbers get the width the grid has.
    void SetFillWidth(bool fill);

    // Whether the label column shows each row's label cell (column 0), where
    // it holds one, instead of the row's number; a label too long for the
    // column is cut short on screen and shown whole as its tooltip.
    void SetRowLabels(bool shown);

    // What the grid draws in a cell at its current width: the formatted
    // number, or a run of "#" when that does not fit even in a smaller face.
    QString DrawnText(int col, int row) const;

signals:
    void FieldEdited(int col, int row, double value);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void ApplyColumnWidths();
    int LabelColumnWidth() const;

    FloatGridModel* model_;
    QAbstractButton* corner_ = nullptr;
    DisplayFormat format_{"##,##0.#######"};
    bool editable_ = false;
    std::function<void()> paste_;
    QList<QAction*> menuActions_;
    bool fillWidth_ = false;
    int defaultColWidth_ = 64;
    std::vector<int> colWidths_;
};
