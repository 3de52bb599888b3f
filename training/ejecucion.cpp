#include "ejecucion.h"

#include "red_neuronal.h"
#include "redondear.h"

void Ejecutar(const EstadoTrabajo& estado, TRedNeuronal& red, VistaEjecucion& vista) {
    if (!estado.RedCreada) return;
    VistaTabla& entradas = vista.Entradas();
    for (std::int32_t i = 1; i <= red.NumeroEntradas(); ++i) red.Entradas[i] = entradas.GetFloat(1, i);
    red.Propagar();
    VistaTabla& salidas = vista.Salidas();
    for (std::int32_t j = 1; j <= red.NeuronasCapaSalida(); ++j) {
        salidas.SetFloat(1, j, Redondear(vista.Decimales(), red.SalidasObtenidas[j]));
    }
}
