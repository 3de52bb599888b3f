// SPDX-License-Identifier: GPL-3.0-or-later
#include "pattern_operations.h"

#include "data_tab_view.h"
#include "integer_text.h"
#include "network.h"
#include "pattern_grid.h"

namespace {

constexpr int kFields = DataTabView::FieldsOfKind;

}  // namespace

void AddPattern(WorkState& state, const TRedNeuronal& network, DataTabView& view, PatternSetKind set) {
    const auto members = SetMembers(state, set);
    if (!state.RedCreada || members.count >= kMaxPatterns) return;
    const std::int32_t p = ++members.count;
    view.SetPatternLabel("Patrón " + IntegerText(p + 1));
    view.SetLargestPatternNumber(p);
    view.SetPatternNumber(0);

    auto& inputs = members.inputs[p];
    auto& outputs = members.outputs[p];
    // Only ten of each can be typed; clearing the columns above them keeps a
    // reused row from lending an older pattern's values to a wide network.
    for (std::size_t i = kFields + 1; i < inputs.size(); ++i) inputs[i] = 0.0;
    for (std::size_t k = kFields + 1; k < outputs.size(); ++k) outputs[k] = 0.0;
    for (int k = 1; k <= kFields; ++k) {
        if (view.Enabled(k)) inputs[k] = static_cast<double>(view.Value(k));
    }
    for (int k = 1; k <= kFields; ++k) {
        if (view.Enabled(kFields + k)) outputs[k] = static_cast<double>(view.Value(kFields + k));
    }
    for (int field = 1; field <= DataTabView::Fields; ++field) view.SetValue(field, 0.0L);

    NumberTableView& grid = view.PatternGrid();
    grid.SetRowCount(p + 1);
    WritePatternRow(grid, state, p, network.NumeroEntradas(), network.NeuronasCapaSalida(), set);
}

void DeletePattern(WorkState& state, const TRedNeuronal& network, DataTabView& view, PatternSetKind set) {
    const auto members = SetMembers(state, set);
    const std::int32_t n = view.PatternNumber();
    if (!state.RedCreada || members.count <= 0 || n <= 0) return;
    const std::int32_t c = --members.count;
    for (std::int32_t r = n; r <= c; ++r) {
        members.inputs[r] = members.inputs[r + 1];
        members.outputs[r] = members.outputs[r + 1];
    }
    view.SetPatternNumber(0);
    view.SetLargestPatternNumber(c);
    RebuildPatternGrid(view.PatternGrid(), state, network, set);
    view.SetPatternLabel(IntegerText(c + 1));
}

void DeleteAllPatterns(WorkState& state, const TRedNeuronal& network, DataTabView& view, PatternSetKind set) {
    NumberTableView& grid = view.PatternGrid();
    grid.SetRowCount(2);
    SetMembers(state, set).count = 0;
    view.SetPatternLabel("Patrón 1");
    const std::int32_t inputs = network.NumeroEntradas();
    const std::int32_t outputs = network.NeuronasCapaSalida();
    for (std::int32_t c = 1; c <= inputs + outputs; ++c) grid.SetFloat(c, 1, 0.0);
}
