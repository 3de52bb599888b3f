#include "campos_entrada.h"

#include "red_neuronal.h"
#include "vista_patrones.h"

void HabilitarCamposEntrada(VistaPatrones& vista, const TRedNeuronal& red) {
    const int n = red.NumeroEntradas();
    const int m = red.NeuronasCapaSalida();
    for (int k = 1; k <= VistaPatrones::CamposPorTipo; ++k) vista.SetHabilitado(k, n >= k);
    for (int k = 1; k <= VistaPatrones::CamposPorTipo; ++k) vista.SetHabilitado(VistaPatrones::CamposPorTipo + k, m >= k);
}
