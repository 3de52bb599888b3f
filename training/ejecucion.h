#pragma once
// "Ejecutar": the network's forward pass on one typed input vector, its
// outputs shown rounded.

#include "estado_trabajo.h"
#include "vista_tabla.h"

#include <cstdint>

class TRedNeuronal;

// What execution needs of the execution tab.
class VistaEjecucion {
public:
    virtual ~VistaEjecucion() = default;
    // One input per row, column 1, from row 1.
    virtual VistaTabla& Entradas() = 0;
    // One output per row, column 1, from row 1.
    virtual VistaTabla& Salidas() = 0;
    // The number of decimals as typed, not yet clamped to its field's range.
    virtual std::int32_t Decimales() const = 0;
};

// Reads exactly as many inputs as the network has and writes exactly as many
// outputs as it has output neurons. Refused with no network.
void Ejecutar(const EstadoTrabajo& estado, TRedNeuronal& red, VistaEjecucion& vista);
