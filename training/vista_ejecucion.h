#pragma once
// What execution needs of the execution tab.

#include "vista_tabla.h"

#include <cstdint>

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
