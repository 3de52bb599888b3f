// SPDX-License-Identifier: GPL-3.0-or-later
#include "pattern_grid.h"

#include "column_names.h"
#include "io_names.h"
#include "network.h"

#include <functional>
#include <string>

namespace {

void WriteHeader(NumberTableView& grid, std::int32_t inputs, std::int32_t outputs,
                 const std::function<std::string(std::int32_t)>& inputName,
                 const std::function<std::string(std::int32_t)>& outputName) {
    grid.SetCells(0, 0, "Patrón");
    for (std::int32_t i = 1; i <= inputs; ++i) grid.SetCells(i, 0, inputName(i));
    for (std::int32_t k = 1; k <= outputs; ++k) grid.SetCells(inputs + k, 0, outputName(k));
}

}  // namespace

void WritePatternHeader(NumberTableView& grid, const WorkState& state, std::int32_t inputs, std::int32_t outputs) {
    WriteHeader(grid, inputs, outputs, [&](std::int32_t i) { return InputName(state, i); },
                [&](std::int32_t k) { return OutputName(state, k); });
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
    WriteHeader(grid, inputs, outputs, DefaultInputName, DefaultOutputName);
    for (std::int32_t c = 1; c <= inputs + outputs; ++c) grid.SetFloat(c, 1, 0.0);
}

void RebuildPatternGrid(NumberTableView& grid, const WorkState& state, const TRedNeuronal& network, PatternSetKind set) {
    const std::int32_t count = SetMembers(state, set).count;
    const std::int32_t inputs = network.NumeroEntradas();
    const std::int32_t outputs = network.NeuronasCapaSalida();
    grid.SetColCount(inputs + outputs + 1);
    grid.SetRowCount(count + 1);
    WritePatternHeader(grid, state, inputs, outputs);
    for (std::int32_t p = 1; p <= count; ++p) WritePatternRow(grid, state, p, inputs, outputs, set);
}
