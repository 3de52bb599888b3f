#pragma once
// "Ejecutar": the network's forward pass on one typed input vector, its
// outputs shown rounded.

#include "work_state.h"
#include "number_table_view.h"

#include <cstdint>

class TRedNeuronal;

// What execution needs of the execution tab.
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

// Reads exactly as many inputs as the network has and writes exactly as many
// outputs as it has output neurons. Refused with no network.
void Execute(const WorkState& estado, TRedNeuronal& red, ExecutionTabView& vista);
