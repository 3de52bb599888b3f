#include "pattern_operations.h"

#include "data_tab_view.h"
#include "integer_text.h"
#include "network.h"
#include "pattern_grid.h"

namespace {

constexpr int kFields = DataTabView::FieldsOfKind;

}  // namespace

void AddPattern(WorkState& estado, const TRedNeuronal& red, DataTabView& vista) {
    if (!estado.RedCreada || estado.NumeroPatrones >= kMaxPatterns) return;
    const std::int32_t p = ++estado.NumeroPatrones;
    vista.SetPatternLabel("Patrón " + IntegerText(p + 1));
    vista.SetLargestPatternNumber(p);
    vista.SetPatternNumber(0);

    auto& entradas = estado.EntradasPatrones[p];
    auto& salidas = estado.SalidasPatrones[p];
    // Only ten of each can be typed; clearing the columns above them keeps a
    // reused row from lending an older pattern's values to a wide network.
    for (std::size_t i = kFields + 1; i < entradas.size(); ++i) entradas[i] = 0.0;
    for (std::size_t k = kFields + 1; k < salidas.size(); ++k) salidas[k] = 0.0;
    for (int k = 1; k <= kFields; ++k) {
        if (vista.Enabled(k)) entradas[k] = static_cast<double>(vista.Value(k));
    }
    for (int k = 1; k <= kFields; ++k) {
        if (vista.Enabled(kFields + k)) salidas[k] = static_cast<double>(vista.Value(kFields + k));
    }
    for (int campo = 1; campo <= DataTabView::Fields; ++campo) vista.SetValue(campo, 0.0L);

    NumberTableView& rejilla = vista.PatternGrid();
    rejilla.SetRowCount(p + 1);
    WritePatternRow(rejilla, estado, p, red.NumeroEntradas(), red.NeuronasCapaSalida());
}

void DeletePattern(WorkState& estado, const TRedNeuronal& red, DataTabView& vista) {
    const std::int32_t n = vista.PatternNumber();
    if (!estado.RedCreada || estado.NumeroPatrones <= 0 || n <= 0) return;
    const std::int32_t c = --estado.NumeroPatrones;
    for (std::int32_t r = n; r <= c; ++r) {
        estado.EntradasPatrones[r] = estado.EntradasPatrones[r + 1];
        estado.SalidasPatrones[r] = estado.SalidasPatrones[r + 1];
    }
    vista.SetPatternNumber(0);
    vista.SetLargestPatternNumber(c);
    RebuildPatternGrid(vista.PatternGrid(), estado, red);
    vista.SetPatternLabel(IntegerText(c + 1));
}

void DeleteAllPatterns(WorkState& estado, const TRedNeuronal& red, DataTabView& vista) {
    NumberTableView& rejilla = vista.PatternGrid();
    rejilla.SetRowCount(2);
    estado.NumeroPatrones = 0;
    vista.SetPatternLabel("Patrón 1");
    const std::int32_t entradas = red.NumeroEntradas();
    const std::int32_t salidas = red.NeuronasCapaSalida();
    for (std::int32_t c = 1; c <= entradas + salidas; ++c) rejilla.SetFloat(c, 1, 0.0);
}
