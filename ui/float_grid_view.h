// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A float grid seen as the core's table view.

#include "number_table_view.h"

class TFloatGrid;

class FloatGridView : public NumberTableView {
public:
    explicit FloatGridView(TFloatGrid& grid) : grid_(grid) {}

    void SetColCount(int columns) override;
    void SetRowCount(int rows) override;
    void SetCells(int column, int row, const std::string& text) override;
    void SetFloat(int column, int row, double value) override;
    double GetFloat(int column, int row) override;

private:
    TFloatGrid& grid_;
};
