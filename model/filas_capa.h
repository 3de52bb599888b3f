#pragma once
// Layer-wide arithmetic of the forward pass and the training step (internal).
//
// A layer's storage keeps one index (an input or a weight) of all its neurons
// side by side in one row, so these loops run across a row four neurons at a
// time. Each lane is one neuron doing exactly its own operations in its own
// order, so every result is bit for bit the one that neuron would compute
// alone. Lanes past the active neurons are computed along but never stored.

#include <cstdint>
#include <type_traits>

#include "almacen_capa.h"

typedef double Bloque __attribute__((vector_size(32), aligned(32), may_alias));
typedef std::int64_t Mascara __attribute__((vector_size(32), aligned(32), may_alias));

constexpr int Carriles = 4;

// Blocks covering neurons 0..m-1.
inline int Bloques(int m) { return (m + Carriles - 1) / Carriles; }

inline Bloque& BloqueDe(double* fila, int b) { return reinterpret_cast<Bloque*>(fila)[b]; }
inline const Bloque& BloqueDe(const double* fila, int b) { return reinterpret_cast<const Bloque*>(fila)[b]; }

// Lanes of block b that belong to neurons 0..m-1.
inline void LanesActivas(int m, int b, Mascara& activas) {
    const Mascara carril = {0, 1, 2, 3};
    activas = carril < static_cast<std::int64_t>(m - b * Carriles);
}

// Stores the active lanes of `nuevo`; the other lanes keep what they hold.
inline void GuardarActivas(Bloque& destino, const Bloque& nuevo, int m, int b) {
    Mascara activas;
    LanesActivas(m, b, activas);
    destino = (Bloque)(((Mascara)nuevo & activas) | ((Mascara)destino & ~activas));
}

// s[j] = 0 + Entradas[0]·Pesos[0], then s[j] += x[k-1]·Pesos[k] for k = 1..n,
// for neurons j = 0..m-1 of the layer.
inline void SumasPonderadas(const AlmacenCapa& a, const double* x, int n, int m, double* s) {
    for (int b = 0; b < Bloques(m); ++b) {
        Bloque suma = 0.0 + BloqueDe(a.entradas[0], b) * BloqueDe(a.pesos[0], b);
        for (int k = 1; k <= n; ++k) suma = suma + x[k - 1] * BloqueDe(a.pesos[k], b);
        BloqueDe(s, b) = suma;
    }
}

// Entradas[k] := x[k-1], k = 1..n, of neurons 0..hasta-1.
inline void CopiarEntradas(AlmacenCapa& a, const double* x, int n, int hasta) {
    for (int k = 1; k <= n; ++k) {
        const Bloque valor = Bloque{} + x[k - 1];
        for (int b = 0; b < Bloques(hasta); ++b) GuardarActivas(BloqueDe(a.entradas[k], b), valor, hasta, b);
    }
}

// acc[j] = sum over i = 0..O-1, in that order, of delta[i] · Pesos[j+1] of
// output neuron i, for hidden neurons j = 0..H-1. The lanes run across the
// hidden neurons, so each one's sum keeps the order of i.
inline void SumarDeltas(const AlmacenCapa& salida, const double* delta, int O, int H, double* acc) {
    for (int b = 0; b < Bloques(H); ++b) {
        const int j = b * Carriles + 1;
        Bloque suma = Bloque{} + 0.0;
        for (int i = 0; i < O; ++i) {
            const Bloque pesos = {salida.pesos[j][i], salida.pesos[j + 1][i], salida.pesos[j + 2][i],
                                  salida.pesos[j + 3][i]};
            suma = suma + delta[i] * pesos;
        }
        BloqueDe(acc, b) = suma;
    }
}

// Pesos := Pesos + paso[j]·x[j] across a row, for neurons 0..m-1, when no
// result leaves the double range; otherwise nothing is stored and false is
// returned. X is a row of per-neuron values or one value for all.
template <class X>
inline bool CorregirFila(double* pesos, int m, const double* paso, const X& x) {
    Bloque nuevo[MaxNeuronas / Carriles];
    Bloque nan = Bloque{};  // lanes turn NaN when a result is infinite
    for (int b = 0; b < Bloques(m); ++b) {
        if constexpr (std::is_arithmetic_v<X>)
            nuevo[b] = BloqueDe(pesos, b) + BloqueDe(paso, b) * x;
        else
            nuevo[b] = BloqueDe(pesos, b) + BloqueDe(paso, b) * BloqueDe(x, b);
        Mascara activas;
        LanesActivas(m, b, activas);
        nan = nan + (Bloque)((Mascara)(nuevo[b] - nuevo[b]) & activas);
    }
    if (!(nan[0] == 0 && nan[1] == 0 && nan[2] == 0 && nan[3] == 0)) return false;
    for (int b = 0; b < Bloques(m); ++b) GuardarActivas(BloqueDe(pesos, b), nuevo[b], m, b);
    return true;
}
