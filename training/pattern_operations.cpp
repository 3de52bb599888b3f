#include "pattern_operations.h"

#include "network.h"
#include "pattern_grid.h"
#include "integer_text.h"
#include "data_tab_view.h"

namespace {

constexpr int kCampos = DataTabView::CamposPorTipo;

}  // namespace

void AddPattern(WorkState& estado, const TRedNeuronal& red, DataTabView& vista) {
    if (!estado.RedCreada || estado.NumeroPatrones >= kMaxPatterns) return;
    const std::int32_t p = ++estado.NumeroPatrones;
    vista.SetPatternLabel("Patrón " + IntegerText(p + 1));
    vista.SetMaximoNumeroPatron(p);
    vista.SetNumeroPatron(0);

    auto& entradas = estado.EntradasPatrones[p];
    auto& salidas = estado.SalidasPatrones[p];
    // Only ten of each can be typed; clearing the columns above them keeps a
    // reused row from lending an older pattern's values to a wide network.
    for (std::size_t i = kCampos + 1; i < entradas.size(); ++i) entradas[i] = 0.0;
    for (std::size_t k = kCampos + 1; k < salidas.size(); ++k) salidas[k] = 0.0;
    for (int k = 1; k <= kCampos; ++k) {
        if (vista.Habilitado(k)) entradas[k] = static_cast<double>(vista.Valor(k));
    }
    for (int k = 1; k <= kCampos; ++k) {
        if (vista.Habilitado(kCampos + k)) salidas[k] = static_cast<double>(vista.Valor(kCampos + k));
    }
    for (int campo = 1; campo <= DataTabView::Campos; ++campo) vista.SetValor(campo, 0.0L);

    NumberTableView& rejilla = vista.Rejilla();
    rejilla.SetRowCount(p + 1);
    WritePatternRow(rejilla, estado, p, red.NumeroEntradas(), red.NeuronasCapaSalida());
}

void DeletePattern(WorkState& estado, const TRedNeuronal& red, DataTabView& vista) {
    const std::int32_t n = vista.NumeroPatron();
    if (!estado.RedCreada || estado.NumeroPatrones <= 0 || n <= 0) return;
    const std::int32_t c = --estado.NumeroPatrones;
    for (std::int32_t r = n; r <= c; ++r) {
        estado.EntradasPatrones[r] = estado.EntradasPatrones[r + 1];
        estado.SalidasPatrones[r] = estado.SalidasPatrones[r + 1];
    }
    vista.SetNumeroPatron(0);
    vista.SetMaximoNumeroPatron(c);
    RebuildPatternGrid(vista.Rejilla(), estado, red);
    vista.SetPatternLabel(IntegerText(c + 1));
}

void DeleteAllPatterns(WorkState& estado, const TRedNeuronal& red, DataTabView& vista) {
    NumberTableView& rejilla = vista.Rejilla();
    rejilla.SetRowCount(2);
    estado.NumeroPatrones = 0;
    vista.SetPatternLabel("Patrón 1");
    const std::int32_t entradas = red.NumeroEntradas();
    const std::int32_t salidas = red.NeuronasCapaSalida();
    for (std::int32_t c = 1; c <= entradas + salidas; ++c) rejilla.SetFloat(c, 1, 0.0);
}
