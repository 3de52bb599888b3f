#include "execution.h"

#include "network.h"
#include "rounding.h"

void Execute(const WorkState& estado, TRedNeuronal& red, ExecutionTabView& vista) {
    if (!estado.RedCreada) return;
    NumberTableView& entradas = vista.Entradas();
    for (std::int32_t i = 1; i <= red.NumeroEntradas(); ++i) red.Entradas[i] = entradas.GetFloat(1, i);
    red.Propagar();
    NumberTableView& salidas = vista.Salidas();
    for (std::int32_t j = 1; j <= red.NeuronasCapaSalida(); ++j) {
        salidas.SetFloat(1, j, Redondear(vista.Decimals(), red.SalidasObtenidas[j]));
    }
}
