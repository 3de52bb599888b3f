// SPDX-License-Identifier: GPL-3.0-or-later
#include "execution.h"

#include "network.h"
#include "pattern_classes.h"
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

std::string ExecutedClassText(const WorkState& state, const TRedNeuronal& network, char separator) {
    if (!state.RedCreada) return {};
    const std::int32_t outputs = network.NeuronasCapaSalida();
    const std::optional<ClassScheme> scheme = FindClasses(state, outputs);
    if (!scheme) return {};
    const std::span<const double> y(network.SalidasObtenidas.data() + 1, static_cast<std::size_t>(outputs));
    const std::int32_t obtained = ObtainedClass(*scheme, y);
    return obtained == 0 ? std::string() : "Clase: " + ClassName(*scheme, state, obtained, separator);
}
