// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one-column tables of outputs and inputs: rows 1..n labelled
// "<word> i" in column 0, one value each in column 1.

#include "number_table_view.h"

#include <cstdint>
#include <string>
#include <vector>

// Labels rows 1..rows and puts 0 in each of their values.
void ClearColumnRows(NumberTableView& table, const std::string& word, std::int32_t rows);

// The same with row i labelled labels[i − 1], one row per label.
void ClearColumnRows(NumberTableView& table, const std::vector<std::string>& labels);
