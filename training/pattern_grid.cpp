// SPDX-License-Identifier: GPL-3.0-or-later
#include "pattern_grid.h"

#include "column_names.h"
#include "network.h"

void WritePatternHeader(NumberTableView& grid, std::int32_t inputs, std::int32_t outputs) {
    grid.SetCells(0, 0, "Patrón");
    for (std::int32_t i = 1; i <= inputs; ++i) grid.SetCells(i, 0, DefaultInputName(i));
    for (std::int32_t k = 1; k <= outputs; ++k) grid.SetCells(inputs + k, 0, DefaultOutputName(k));
}

void WritePatternRow(NumberTableView& grid, const WorkState& state, std::int32_t p,
                        std::int32_t inputs, std::int32_t outputs, PatternSetKind set) {
    const auto members = SetMembers(state, set);
    for (std::int32_t i = 1; i <= inputs; ++i) grid.SetFloat(i, p, members.inputs[p][i]);
    for (std::int32_t k = 1; k <= outputs; ++k) grid.SetFloat(inputs + k, p, members.outputs[p][k]);
}

void ResetPatternGrid(NumberTableView& grid, const TRedNeuronal& network) {
    const std::int32_t inputs = network.NumeroEntradas();
    const std::int32_t outputs = network.NeuronasCapaSalida();
    grid.SetColCount(inputs + outputs + 1);
    grid.SetRowCount(2);
    WritePatternHeader(grid, inputs, outputs);
    for (std::int32_t c = 1; c <= inputs + outputs; ++c) grid.SetFloat(c, 1, 0.0);
}

void RebuildPatternGrid(NumberTableView& grid, const WorkState& state, const TRedNeuronal& network, PatternSetKind set) {
    const std::int32_t count = SetMembers(state, set).count;
    const std::int32_t inputs = network.NumeroEntradas();
    const std::int32_t outputs = network.NeuronasCapaSalida();
    grid.SetColCount(inputs + outputs + 1);
    grid.SetRowCount(count + 1);
    WritePatternHeader(grid, inputs, outputs);
    for (std::int32_t p = 1; p <= count; ++p) WritePatternRow(grid, state, p, inputs, outputs, set);
}
