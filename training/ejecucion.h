#pragma once
// "Ejecutar": the network's forward pass on one typed input vector, its
// outputs shown rounded.

#include "estado_trabajo.h"
#include "vista_ejecucion.h"

class TRedNeuronal;

// Reads exactly as many inputs as the network has and writes exactly as many
// outputs as it has output neurons. Refused with no network.
void Ejecutar(const EstadoTrabajo& estado, TRedNeuronal& red, VistaEjecucion& vista);
