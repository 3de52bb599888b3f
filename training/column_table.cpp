// SPDX-License-Identifier: GPL-3.0-or-later
#include "column_table.h"

#include "integer_text.h"

void ClearColumnRows(NumberTableView& table, const std::string& word, std::int32_t rows) {
    std::vector<std::string> labels;
    for (std::int32_t i = 1; i <= rows; ++i) labels.push_back(word + " " + IntegerText(i));
    ClearColumnRows(table, labels);
}

void ClearColumnRows(NumberTableView& table, const std::vector<std::string>& labels) {
    for (std::size_t r = 0; r < labels.size(); ++r) {
        const auto i = static_cast<std::int32_t>(r + 1);
        table.SetCells(0, i, labels[r]);
        table.SetFloat(1, i, 0.0);
    }
}
