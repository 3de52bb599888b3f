// SPDX-License-Identifier: GPL-3.0-or-later
#include "column_grid.h"

#include "column_table.h"
#include "control_builders.h"
#include "float_grid.h"
#include "float_grid_view.h"

TFloatGrid* NewColumnGrid(QWidget* parent, const QString& name, QRect geometry, int valueWidth, bool editable,
                          const QString& accessible) {
    auto* grid = new TFloatGrid(2, 11, parent);
    Place(grid, name, geometry, accessible);
    grid->SetDisplayFormat("##,##0.#######");
    grid->SetEditable(editable);
    // Tab leaves the grid; the arrow keys move between its cells.
    grid->setTabKeyNavigation(false);
    grid->SetDefaultRowHeight(18);
    grid->SetColWidth(0, 64);
    grid->SetColWidth(1, valueWidth);
    // The values take whatever the label column leaves: a number with seven
    // decimals needs more than the value column's own width.
    grid->SetFillWidth(true);
    return grid;
}

void ShapeColumnGrid(TFloatGrid& grid, const QString& corner, const QString& word, int rows) {
    grid.SetRowCount(rows + 1);
    grid.SetCells(0, 0, corner);
    FloatGridView view(grid);
    ClearColumnRows(view, word.toStdString(), rows);
}

void ShapeColumnGrid(TFloatGrid& grid, const QString& corner, const std::vector<std::string>& labels, bool shown) {
    grid.SetRowCount(static_cast<int>(labels.size()) + 1);
    grid.SetCells(0, 0, corner);
    FloatGridView view(grid);
    ClearColumnRows(view, labels);
    grid.SetRowLabels(shown);
}
