#include "pattern_grid.h"

#include "integer_text.h"
#include "network.h"

void WritePatternHeader(NumberTableView& rejilla, std::int32_t entradas, std::int32_t salidas) {
    rejilla.SetCells(0, 0, "Patrón");
    for (std::int32_t i = 1; i <= entradas; ++i) rejilla.SetCells(i, 0, "Entrada " + IntegerText(i));
    for (std::int32_t k = 1; k <= salidas; ++k) rejilla.SetCells(entradas + k, 0, "Salida " + IntegerText(k));
}

void WritePatternRow(NumberTableView& rejilla, const WorkState& estado, std::int32_t p,
                        std::int32_t entradas, std::int32_t salidas) {
    for (std::int32_t i = 1; i <= entradas; ++i) rejilla.SetFloat(i, p, estado.EntradasPatrones[p][i]);
    for (std::int32_t k = 1; k <= salidas; ++k) rejilla.SetFloat(entradas + k, p, estado.SalidasPatrones[p][k]);
}

void ResetPatternGrid(NumberTableView& rejilla, const TRedNeuronal& red) {
    const std::int32_t entradas = red.NumeroEntradas();
    const std::int32_t salidas = red.NeuronasCapaSalida();
    rejilla.SetColCount(entradas + salidas + 1);
    rejilla.SetRowCount(2);
    WritePatternHeader(rejilla, entradas, salidas);
    for (std::int32_t c = 1; c <= entradas + salidas; ++c) rejilla.SetFloat(c, 1, 0.0);
}

void RebuildPatternGrid(NumberTableView& rejilla, const WorkState& estado, const TRedNeuronal& red) {
    const std::int32_t entradas = red.NumeroEntradas();
    const std::int32_t salidas = red.NeuronasCapaSalida();
    rejilla.SetColCount(entradas + salidas + 1);
    rejilla.SetRowCount(estado.NumeroPatrones + 1);
    WritePatternHeader(rejilla, entradas, salidas);
    for (std::int32_t p = 1; p <= estado.NumeroPatrones; ++p) WritePatternRow(rejilla, estado, p, entradas, salidas);
}
