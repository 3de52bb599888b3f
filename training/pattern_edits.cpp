// SPDX-License-Identifier: GPL-3.0-or-later
#include "pattern_edits.h"

#include "data_tab_view.h"
#include "integer_text.h"
#include "network.h"
#include "pattern_grid.h"
#include "network_description.h"
#include "program_error.h"

#include <algorithm>

namespace {

// Row p of the table from a row of inputs then outputs; the columns past
// the network's counts are cleared, as "Añadir Patrón" clears them.
void PutRow(WorkState& state, PatternSetKind set, std::int32_t p, const std::vector<double>& row, std::int32_t inputs) {
    const auto members = SetMembers(state, set);
    auto& entradas = members.inputs[static_cast<std::size_t>(p)];
    auto& salidas = members.outputs[static_cast<std::size_t>(p)];
    entradas.fill(0.0);
    salidas.fill(0.0);
    for (std::size_t c = 0; c < row.size(); ++c) {
        const auto column = static_cast<std::int32_t>(c) + 1;
        if (column <= inputs)
            entradas[static_cast<std::size_t>(column)] = row[c];
        else
            salidas[static_cast<std::size_t>(column - inputs)] = row[c];
    }
}

}  // namespace

void ShowPatternTable(const WorkState& state, const TRedNeuronal& network, DataTabView& view, PatternSetKind set) {
    const std::int32_t count = SetMembers(state, set).count;
    RebuildPatternGrid(view.PatternGrid(), state, network, set);
    view.SetPatternLabel("Patrón " + IntegerText(count + 1));
    view.SetLargestPatternNumber(count);
    view.SetPatternNumber(0);
}

bool IsPatternCell(const WorkState& state, const TRedNeuronal& network, std::int32_t col, std::int32_t row, PatternSetKind set) {
    return state.RedCreada && row >= 1 && row <= SetMembers(state, set).count && col >= 1 &&
           col <= network.NumeroEntradas() + network.NeuronasCapaSalida();
}

bool SetPatternValue(WorkState& state, const TRedNeuronal& network, std::int32_t col, std::int32_t row,
                     double value, NumberTableView& grid, PatternSetKind set) {
    if (!IsPatternCell(state, network, col, row, set)) return false;
    const auto members = SetMembers(state, set);
    const std::int32_t inputs = network.NumeroEntradas();
    if (col <= inputs)
        members.inputs[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = value;
    else
        members.outputs[static_cast<std::size_t>(row)][static_cast<std::size_t>(col - inputs)] = value;
    grid.SetFloat(col, row, value);
    return true;
}

void PastePatterns(WorkState& state, const TRedNeuronal& network, std::int32_t first, const PatternRows& rows,
                   DataTabView& view, PatternSetKind set) {
    const auto members = SetMembers(state, set);
    if (!state.RedCreada || first < 1 || first > members.count + 1) return;
    const auto last = first + static_cast<std::int32_t>(rows.size()) - 1;
    if (last > kMaxPatterns) throw ProgramError(kPatternLimitMessage);
    for (std::size_t r = 0; r < rows.size(); ++r)
        PutRow(state, set, first + static_cast<std::int32_t>(r), rows[r], network.NumeroEntradas());
    members.count = std::max(members.count, last);
    ShowPatternTable(state, network, view, set);
}

void ReplacePatterns(WorkState& state, const TRedNeuronal& network, const PatternRows& rows, DataTabView& view, PatternSetKind set) {
    if (!state.RedCreada || rows.size() > static_cast<std::size_t>(kMaxPatterns)) return;
    for (std::size_t r = 0; r < rows.size(); ++r)
        PutRow(state, set, static_cast<std::int32_t>(r) + 1, rows[r], network.NumeroEntradas());
    SetMembers(state, set).count = static_cast<std::int32_t>(rows.size());
    ShowPatternTable(state, network, view, set);
}

PatternRows StoredPatterns(const WorkState& state, const TRedNeuronal& network, PatternSetKind set) {
    const auto members = SetMembers(state, set);
    const std::int32_t inputs = network.NumeroEntradas();
    const std::int32_t outputs = network.NeuronasCapaSalida();
    PatternRows rows;
    for (std::int32_t p = 1; p <= members.count; ++p) {
        std::vector<double>& row = rows.emplace_back();
        for (std::int32_t i = 1; i <= inputs; ++i) row.push_back(members.inputs[static_cast<std::size_t>(p)][static_cast<std::size_t>(i)]);
        for (std::int32_t k = 1; k <= outputs; ++k) row.push_back(members.outputs[static_cast<std::size_t>(p)][static_cast<std::size_t>(k)]);
    }
    return rows;
}
