// SPDX-License-Identifier: GPL-3.0-or-later
#include "column_table.h"

#include "integer_text.h"

void ClearColumnRows(NumberTableView& table, const std::string& word, std::int32_t rows) {
    for (std::int32_t i = 1; i <= rows; ++i) {
        table.SetCells(0, i, word + " " + IntegerText(i));
        table.SetFloat(1, i, 0.0);
    }
}
