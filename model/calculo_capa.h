#pragma once
// A layer's forward pass (internal): defined here, inline, so that the
// network's forward pass compiles both layers into itself.

#include <algorithm>
#include <span>

#include "activacion.h"
#include "capa_neuronal.h"
#include "filas_capa.h"
#include "program_error.h"

// The pass over at most MaxB blocks of neurons.
template <int MaxB>
[[gnu::always_inline]] inline void CalcularBloques(AlmacenCapa& almacen, const NeuronasCapa& neuronasCapa,
                                                   std::span<const double> x, int neuronas, double* salidas) {
    const int n = static_cast<int>(x.size());

    Bloque sumas[MaxB];
    SumasPonderadas(almacen, x.data(), n, TramoDe<MaxB>(neuronas), sumas);

    // Then each neuron's own functions, in neuron order; the first overflow stops the layer.
    int hechas = 0;
    for (; hechas < neuronas; ++hechas) {
        const TNeurona& neurona = neuronasCapa[hechas + 1];
        const auto y = Activacion(neurona.FuncionTransferencia(), neurona.FuncionSalida(), neurona.Umbral(),
                                  sumas[hechas / Carriles][hechas % Carriles]);
        if (!y) break;
        almacen.salidas[hechas] = *y;
        if (salidas) salidas[hechas] = *y;
    }
    // The failing neuron got its inputs.
    CopiarEntradas(almacen, x.data(), n, TramoDe<MaxB>(std::min(hechas + 1, neuronas)));
    if (hechas < neuronas) throw ProgramError(MensajeDesbordamiento);
}

// A layer that fits in one block has its own copy of the pass.
[[gnu::always_inline]] inline void TCapaNeuronal::CalcularSalidas(std::span<const double> x, int neuronas,
                                                                  double* salidas) {
    if (neuronas <= Carriles)
        CalcularBloques<1>(almacen_, Neuronas, x, neuronas, salidas);
    else
        CalcularBloques<MaxBloques>(almacen_, Neuronas, x, neuronas, salidas);
}
