// SPDX-License-Identifier: GPL-3.0-or-later
#include "float_grid_view.h"

#include "float_grid.h"

void FloatGridView::SetColCount(int columns) { grid_.SetColCount(columns); }

void FloatGridView::SetRowCount(int rows) { grid_.SetRowCount(rows); }

void FloatGridView::SetCells(int column, int row, const std::string& text) {
    grid_.SetCells(column, row, QString::fromStdString(text));
}

void FloatGridView::SetFloat(int column, int row, double value) { grid_.SetFloat(column, row, value); }

double FloatGridView::GetFloat(int column, int row) { return grid_.GetFloat(column, row); }
