// SPDX-License-Identifier: GPL-3.0-or-later
#include "execution.h"

#include "network.h"
#include "rounding.h"

void Execute(const WorkState& state, TRedNeuronal& network, ExecutionTabView& view) {
    if (!state.RedCreada) return;
    NumberTableView& inputs = view.Entradas();
    for (std::int32_t i = 1; i <= network.NumeroEntradas(); ++i) network.Entradas[i] = inputs.GetFloat(1, i);
    network.Propagar();
    NumberTableView& outputs = view.Salidas();
    for (std::int32_t j = 1; j <= network.NeuronasCapaSalida(); ++j) {
        outputs.SetFloat(1, j, Redondear(view.Decimals(), network.SalidasObtenidas[j]));
    }
}
