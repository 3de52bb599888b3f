#pragma once
// Layer-wide arithmetic of the forward pass and the training step (internal).
//
// A layer's storage keeps one index (an input or a weight) of all its neurons
// side by side in one row, so these loops run across a row four neurons (one
// block) at a time, over only the blocks that hold active neurons. Each lane
// is one neuron doing exactly its own operations in its own order, so every
// result is bit for bit the one that neuron would compute alone. Lanes past
// the active neurons are computed along and never stored. Everything is
// inlined into the callers, which are compiled for AVX2 and for the baseline
// processor.

#include <cstdint>

#include "almacen_capa.h"

typedef double Bloque __attribute__((vector_size(32), aligned(32), may_alias));
typedef std::int64_t Mascara __attribute__((vector_size(32), aligned(32), may_alias));

constexpr int Carriles = 4;
constexpr int MaxBloques = MaxNeuronas / Carriles;

#define EN_LINEA [[gnu::always_inline]] inline

EN_LINEA Bloque& BloqueDe(double* fila, int b) { return reinterpret_cast<Bloque*>(fila)[b]; }
EN_LINEA const Bloque& BloqueDe(const double* fila, int b) { return reinterpret_cast<const Bloque*>(fila)[b]; }

// Four scalars as a block, built in registers: a block load from freshly
// stored scalars would stall.
EN_LINEA Bloque BloqueDeEscalares(const double* v) { return Bloque{v[0], v[1], v[2], v[3]}; }

// The blocks that hold neurons 0..m-1, and which lanes of the last one do.
// Code for layers that fit in one block asks for TramoDe<1>: the count is
// then a constant and every loop over blocks unrolls away.
struct Tramo {
    int bloques;
    Mascara ultimo;
};

template <int MaxB>
EN_LINEA Tramo TramoDe(int m) {
    const int bloques = MaxB == 1 ? 1 : (m + Carriles - 1) / Carriles;
    const Mascara carril = {0, 1, 2, 3};
    return {bloques, carril < static_cast<std::int64_t>(m - (bloques - 1) * Carriles)};
}

// Zeroes the lanes of block b that lie past the neurons of t.
EN_LINEA Bloque SoloActivas(const Bloque& v, const Tramo& t, int b) {
    if (b + 1 < t.bloques) return v;
    return (Bloque)((Mascara)v & t.ultimo);
}

// Stores the lanes of `nuevo` that belong to the neurons of t; the others keep what they hold.
EN_LINEA void GuardarActivas(Bloque& destino, const Bloque& nuevo, const Tramo& t, int b) {
    if (b + 1 < t.bloques)
        destino = nuevo;
    else
        destino = (Bloque)(((Mascara)nuevo & t.ultimo) | ((Mascara)destino & ~t.ultimo));
}

// For a block whose lanes are each 0 or NaN: true when none is NaN. The
// halves are added as pairs first, which takes fewer instructions.
EN_LINEA bool SinNaN(const Bloque& v) {
    typedef double Par __attribute__((vector_size(16)));
    const Par mitades = Par{v[0], v[1]} + Par{v[2], v[3]};
    const double suma = mitades[0] + mitades[1];
    return suma == suma;
}

// The weighted sums of the G blocks from g on: 0 + Entradas[0]·Pesos[0],
// then + x[k-1]·Pesos[k] for k = 1..n. The blocks advance together in
// registers, so their additions overlap.
template <int G>
EN_LINEA void SumasDeGrupo(const AlmacenCapa& a, const double* x, int n, int g, Bloque* suma) {
    Bloque s[G];
    for (int c = 0; c < G; ++c) s[c] = 0.0 + BloqueDe(a.entradas[0], g + c) * BloqueDe(a.pesos[0], g + c);
    for (int k = 1; k <= n; ++k) {
        const double xk = x[k - 1];
        for (int c = 0; c < G; ++c) s[c] = s[c] + xk * BloqueDe(a.pesos[k], g + c);
    }
    for (int c = 0; c < G; ++c) suma[g + c] = s[c];
}

// The weighted sums of the neurons of t, four blocks at a time while they last.
EN_LINEA void SumasPonderadas(const AlmacenCapa& a, const double* x, int n, const Tramo& t, Bloque* suma) {
    int g = 0;
    for (; g + 4 <= t.bloques; g += 4) SumasDeGrupo<4>(a, x, n, g, suma);
    for (; g < t.bloques; ++g) SumasDeGrupo<1>(a, x, n, g, suma);
}

// Entradas[k] := x[k-1], k = 1..n, of the neurons of t.
EN_LINEA void CopiarEntradas(AlmacenCapa& a, const double* x, int n, const Tramo& t) {
    for (int k = 1; k <= n; ++k) {
        const Bloque valor = Bloque{} + x[k - 1];
        for (int b = 0; b < t.bloques; ++b) GuardarActivas(BloqueDe(a.entradas[k], b), valor, t, b);
    }
}

// For hidden neurons 4b..4b+3: the sum over output neurons i = 0..O-1, in
// that order, of delta[i] times the weight output neuron i gives them. The
// lanes run across the hidden neurons, so each sum keeps the order of i.
EN_LINEA Bloque SumaDeltas(const AlmacenCapa& salida, const double* delta, int O, int b) {
    const int j = b * Carriles + 1;
    Bloque suma = Bloque{} + 0.0;
    for (int i = 0; i < O; ++i) {
        const Bloque pesos = {salida.pesos[j][i], salida.pesos[j + 1][i], salida.pesos[j + 2][i],
                              salida.pesos[j + 3][i]};
        suma = suma + delta[i] * pesos;
    }
    return suma;
}

// Weight row k of the neurons of t: Pesos[k] := Pesos[k] + paso[j]·x, x being
// the neuron's own Entradas[k] (PorNeurona) or else xk. The row is stored
// only when every new weight in it is within the double range; false otherwise.
template <bool PorNeurona>
EN_LINEA bool CorregirFila(AlmacenCapa& a, int k, const Tramo& t, const Bloque* paso, double xk) {
    Bloque nuevos[MaxBloques];
    Bloque nan = Bloque{};  // lanes turn NaN when a result is infinite
    for (int b = 0; b < t.bloques; ++b) {
        if constexpr (PorNeurona)
            nuevos[b] = BloqueDe(a.pesos[k], b) + paso[b] * BloqueDe(a.entradas[k], b);
        else
            nuevos[b] = BloqueDe(a.pesos[k], b) + paso[b] * xk;
        nan = nan + SoloActivas(nuevos[b] - nuevos[b], t, b);
    }
    if (!SinNaN(nan)) return false;
    for (int b = 0; b < t.bloques; ++b) GuardarActivas(BloqueDe(a.pesos[k], b), nuevos[b], t, b);
    return true;
}

#undef EN_LINEA
