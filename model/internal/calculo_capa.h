#pragma once
// A layer's forward pass and the network's (internal): defined here, inline,
// so that the network's forward pass compiles both layers into itself, and
// the training step the forward pass.

#include <algorithm>
#include <cstring>
#include <span>

#include "activacion.h"
#include "capa_neuronal.h"
#include "exponencial_bloque.h"
#include "filas_capa.h"
#include "program_error.h"
#include "red_neuronal.h"

// The transfer function f, sigmoid or hyperbolic tangent, then the identity
// output, for the neurons of t, a block at a time: sumas in, salidas out.
// False when a sum is not finite or an exponential overflows; the
// neuron-by-neuron pass then finds the neuron that stops.
template <int MaxB, bool Fma>
[[gnu::always_inline]] inline bool ActivarBloques(TFuncionTransferencia f, const Bloque* sumas, const Tramo& t,
                                                  Bloque* salidas) {
    const bool sigmoide = f == ftSigmoide;
    // e^-s, and for the tangent e^s, of every block first; the rare lanes the
    // quick value leaves unsettled are put right before anything uses them.
    Bloque menos[MaxB], mas[MaxB], em[MaxB], ep[MaxB];
    Mascara seguroMenos[MaxB], seguroMas[MaxB];
    Mascara todos = ~Mascara{};
    for (int b = 0; b < t.bloques; ++b) {
        mas[b] = SoloActivas(sumas[b], t, b);  // lanes past the neurons compute e^0
        menos[b] = -mas[b];
        em[b] = ExponencialRapidaBloque<Fma>(menos[b], seguroMenos[b]);
        todos &= seguroMenos[b];
        if (!sigmoide) {
            ep[b] = ExponencialRapidaBloque<Fma>(mas[b], seguroMas[b]);
            todos &= seguroMas[b];
        }
    }
    if (!TodosCiertos(todos)) [[unlikely]] {
        for (int b = 0; b < t.bloques; ++b) {
            if (!TodosCiertos(seguroMenos[b])) AsentarCarriles(menos[b], em[b], seguroMenos[b]);
            if (!sigmoide && !TodosCiertos(seguroMas[b])) AsentarCarriles(mas[b], ep[b], seguroMas[b]);
        }
    }

    Bloque nan = Bloque{};  // lanes turn NaN on a value that is not finite
    for (int b = 0; b < t.bloques; ++b) {
        if (sigmoide) {
            nan = nan + (mas[b] - mas[b]) + (em[b] - em[b]);
            salidas[b] = 1.0 / (1.0 + em[b]);
        } else {
            nan = nan + (mas[b] - mas[b]) + (ep[b] - ep[b]) + (em[b] - em[b]);
            salidas[b] = (ep[b] - em[b]) / (ep[b] + em[b]);
        }
    }
    return SinNaN(nan);
}

// Whether neurons 1..neuronas all have the transfer function of the first,
// sigmoid or hyperbolic tangent, and the identity output.
inline bool FuncionesComunes(const NeuronasCapa& neuronasCapa, int neuronas) {
    const TFuncionTransferencia f = neuronasCapa[1].FuncionTransferencia();
    if (f != ftSigmoide && f != ftTangenteHiperbolica) return false;
    for (int j = 1; j <= neuronas; ++j)
        if (neuronasCapa[j].FuncionTransferencia() != f || neuronasCapa[j].FuncionSalida() != fsIdentidad) return false;
    return true;
}

// The pass over at most MaxB blocks of neurons.
template <int MaxB, bool Fma>
[[gnu::always_inline]] inline void CalcularBloques(AlmacenCapa& almacen, const NeuronasCapa& neuronasCapa,
                                                   std::span<const double> x, int neuronas, double* salidas) {
    const int n = static_cast<int>(x.size());

    const Tramo tramo = TramoDe<MaxB>(neuronas);
    Bloque sumas[MaxB];
    SumasPonderadas(almacen, x.data(), n, tramo, sumas);

    // The usual layer, one function for all: a block of neurons at a time.
    Bloque activadas[MaxB];
    if (FuncionesComunes(neuronasCapa, neuronas) &&
        ActivarBloques<MaxB, Fma>(neuronasCapa[1].FuncionTransferencia(), sumas, tramo, activadas)) [[likely]] {
        // A block at a time: a copy of a varying count would become a call
        // to memcpy, slow to start, on the step's chain.
        for (int b = 0; b < tramo.bloques; ++b) {
            GuardarActivas(BloqueDe(almacen.salidas, b), activadas[b], tramo, b);
            if (salidas) {
                Bloque destino;
                std::memcpy(&destino, salidas + b * Carriles, sizeof destino);
                GuardarActivas(destino, activadas[b], tramo, b);
                std::memcpy(salidas + b * Carriles, &destino, sizeof destino);
            }
        }
        CopiarEntradas(almacen, x.data(), n, tramo);
        return;
    }

    // Otherwise each neuron's own functions, in neuron order; the first overflow stops the layer.
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
    if (hechas < neuronas) throw ProgramError(kOverflowMessage);
}

// A layer that fits in one block has its own copy of the pass.
template <bool Fma>
[[gnu::always_inline]] inline void TCapaNeuronal::CalcularSalidas(std::span<const double> x, int neuronas,
                                                                  double* salidas) {
    if (neuronas <= Carriles)
        CalcularBloques<1, Fma>(almacen_, Neuronas, x, neuronas, salidas);
    else
        CalcularBloques<MaxBloques, Fma>(almacen_, Neuronas, x, neuronas, salidas);
}

// The network's forward pass, also inlined into its training step. Every
// hidden neuron is computed before any output neuron reads it.
template <bool Fma>
[[gnu::always_inline]] inline void TRedNeuronal::PropagarCon() {
    CapaOculta.CalcularSalidas<Fma>(std::span(Entradas).subspan(1, static_cast<std::size_t>(numeroEntradas_)),
                                    neuronasCapaOculta_, nullptr);
    CapaSalida.CalcularSalidas<Fma>(
        std::span<const double>(CapaOculta.almacen_.salidas, static_cast<std::size_t>(CapaSalida.NumeroEntradas())),
        neuronasCapaSalida_, SalidasObtenidas.data() + 1);
}
