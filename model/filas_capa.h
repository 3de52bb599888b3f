#pragma once
// Layer-wide arithmetic of the forward pass and the training step (internal).
//
// A layer's storage keeps one index (an input or a weight) of all its neurons
// side by side in one row, so these loops run across a row four neurons (one
// block) at a time. Each lane is one neuron doing exactly its own operations
// in its own order, so every result is bit for bit the one that neuron would
// compute alone. Lanes past the active neurons are computed along and never
// stored. Everything is inlined into the callers, which are compiled for
// AVX2 and for the baseline processor.

#include <cstdint>

#include "almacen_capa.h"

typedef double Bloque __attribute__((vector_size(32), aligned(32), may_alias));
typedef std::int64_t Mascara __attribute__((vector_size(32), aligned(32), may_alias));

constexpr int Carriles = 4;
constexpr int MaxBloques = MaxNeuronas / Carriles;

#define EN_LINEA [[gnu::always_inline]] inline

// Blocks covering neurons 0..m-1.
EN_LINEA int Bloques(int m) { return (m + Carriles - 1) / Carriles; }

EN_LINEA Bloque& BloqueDe(double* fila, int b) { return reinterpret_cast<Bloque*>(fila)[b]; }
EN_LINEA const Bloque& BloqueDe(const double* fila, int b) { return reinterpret_cast<const Bloque*>(fila)[b]; }

// Zeroes the lanes of block b that lie past neurons 0..m-1.
EN_LINEA void SoloActivas(Bloque& v, int m, int b) {
    if (m - b * Carriles >= Carriles) return;
    const Mascara carril = {0, 1, 2, 3};
    const Mascara activas = carril < static_cast<std::int64_t>(m - b * Carriles);
    v = (Bloque)((Mascara)v & activas);
}

// Stores the lanes of `nuevo` that belong to neurons 0..m-1; the others keep what they hold.
EN_LINEA void GuardarActivas(Bloque& destino, const Bloque& nuevo, int m, int b) {
    if (m - b * Carriles >= Carriles) {
        destino = nuevo;
        return;
    }
    const Mascara carril = {0, 1, 2, 3};
    const Mascara activas = carril < static_cast<std::int64_t>(m - b * Carriles);
    destino = (Bloque)(((Mascara)nuevo & activas) | ((Mascara)destino & ~activas));
}

// The weighted sums of neurons 0..m-1: 0 + Entradas[0]·Pesos[0], then
// + x[k-1]·Pesos[k] for k = 1..n. Four blocks advance together in registers,
// so the additions of sixteen neurons overlap.
EN_LINEA void SumasPonderadas(const AlmacenCapa& a, const double* x, int n, int m, Bloque* suma) {
    for (int g = 0; g < Bloques(m); g += 4) {
        Bloque s0 = 0.0 + BloqueDe(a.entradas[0], g) * BloqueDe(a.pesos[0], g);
        Bloque s1 = 0.0 + BloqueDe(a.entradas[0], g + 1) * BloqueDe(a.pesos[0], g + 1);
        Bloque s2 = 0.0 + BloqueDe(a.entradas[0], g + 2) * BloqueDe(a.pesos[0], g + 2);
        Bloque s3 = 0.0 + BloqueDe(a.entradas[0], g + 3) * BloqueDe(a.pesos[0], g + 3);
        for (int k = 1; k <= n; ++k) {
            const double xk = x[k - 1];
            s0 = s0 + xk * BloqueDe(a.pesos[k], g);
            s1 = s1 + xk * BloqueDe(a.pesos[k], g + 1);
            s2 = s2 + xk * BloqueDe(a.pesos[k], g + 2);
            s3 = s3 + xk * BloqueDe(a.pesos[k], g + 3);
        }
        suma[g] = s0;
        suma[g + 1] = s1;
        suma[g + 2] = s2;
        suma[g + 3] = s3;
    }
}

// Entradas[k] := x[k-1], k = 1..n, of neurons 0..hasta-1.
EN_LINEA void CopiarEntradas(AlmacenCapa& a, const double* x, int n, int hasta) {
    for (int k = 1; k <= n; ++k) {
        const Bloque valor = Bloque{} + x[k - 1];
        for (int b = 0; b < Bloques(hasta); ++b) GuardarActivas(BloqueDe(a.entradas[k], b), valor, hasta, b);
    }
}

// For hidden neurons 4b..4b+3: the sum over output neurons i = 0..O-1, in
// that order, of delta[i] times the weight output neuron i gives them. The
// lanes run across the hidden neurons, so each sum keeps the order of i.
EN_LINEA void SumaDeltas(const AlmacenCapa& salida, const double* delta, int O, int b, Bloque& suma) {
    const int j = b * Carriles + 1;
    suma = Bloque{} + 0.0;
    for (int i = 0; i < O; ++i) {
        const Bloque pesos = {salida.pesos[j][i], salida.pesos[j + 1][i], salida.pesos[j + 2][i],
                              salida.pesos[j + 3][i]};
        suma = suma + delta[i] * pesos;
    }
}

// Weight rows 0..filas-1 of neurons 0..m-1: Pesos[k] := Pesos[k] + paso[j]·x,
// x being the neuron's own Entradas[k] (PorNeurona) or x[k]. Either every new
// weight is within the double range and all are stored, or nothing changes
// and false is returned. The old rows are kept aside while the layer is
// rewritten, so the common case checks once per layer.
template <bool PorNeurona>
EN_LINEA bool CorregirPesos(AlmacenCapa& a, int filas, int m, const double* paso, const double* x) {
    Bloque antes[MaxEntradas + 1][MaxBloques];
    Bloque nan = Bloque{};  // lanes turn NaN when a result is infinite
    for (int k = 0; k < filas; ++k)
        for (int b = 0; b < Bloques(m); ++b) {
            Bloque& pesos = BloqueDe(a.pesos[k], b);
            antes[k][b] = pesos;
            Bloque nuevo;
            if constexpr (PorNeurona)
                nuevo = pesos + BloqueDe(paso, b) * BloqueDe(a.entradas[k], b);
            else
                nuevo = pesos + BloqueDe(paso, b) * x[k];
            GuardarActivas(pesos, nuevo, m, b);
            Bloque infinito = nuevo - nuevo;
            SoloActivas(infinito, m, b);
            nan = nan + infinito;
        }
    if (nan[0] == 0 && nan[1] == 0 && nan[2] == 0 && nan[3] == 0) return true;
    for (int k = 0; k < filas; ++k)
        for (int b = 0; b < Bloques(m); ++b) BloqueDe(a.pesos[k], b) = antes[k][b];
    return false;
}

#undef EN_LINEA
