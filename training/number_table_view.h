// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A grid of numbers as the core sees it: a fixed header row and label column
// (row 0, column 0) around data cells from (1, 1). The window binds it to
// its float grids.

#include <string>

class NumberTableView {
public:
    virtual ~NumberTableView() = default;
    virtual void SetColCount(int columns) = 0;
    virtual void SetRowCount(int rows) = 0;
    // Any cell's text, header cells included.
    virtual void SetCells(int column, int row, const std::string& text) = 0;
    // A data cell from a number.
    virtual void SetFloat(int column, int row, double value) = 0;
    // A data cell read as a number; a cell that holds none reads as 0 and is
    // rewritten as "0".
    virtual double GetFloat(int column, int row) = 0;
};
