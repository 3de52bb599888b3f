// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What execution needs of the execution tab.

#include "number_table_view.h"

#include <cstdint>

class ExecutionTabView {
public:
    virtual ~ExecutionTabView() = default;
    // One input per row, column 1, from row 1.
    virtual NumberTableView& Entradas() = 0;
    // One output per row, column 1, from row 1.
    virtual NumberTableView& Salidas() = 0;
    // The number of decimals as typed, not yet clamped to its field's range.
    virtual std::int32_t Decimals() const = 0;
};
