#pragma once
// e^x rounded to the nearest double (ties to even), the same on every
// processor. The network's arithmetic asks for exactly that value. The C
// library's exp is off by one unit in the last place for about one argument
// in 1 300, and on which arguments depends on whether the processor has
// fused multiply-add, so a training run would end with different weights on
// different machines.
//
// x = n·(ln 2)/256 + r with |r| <= (ln 2)/512, so e^x = 2^(n/256)·e^r, and
// 2^(n/256) is 2^k times a table entry. Three levels, each settling all but
// a few of the arguments the one before leaves:
// 1. here, inline, a quick double by a degree-5 polynomial, kept when its
//    error bound (2^-60.3 of the result) cannot reach a rounding boundary:
//    about 98 arguments in 100. The processor predicts that test, so the
//    quick value alone sets how long the next operation waits;
// 2. ExponencialPrecisa, a double-double good to about 2^-77, settling all
//    but about one argument in 100 000;
// 3. ExponencialExacta, MPFR's correctly rounded e^x.
// No fused multiply-add anywhere: every processor runs the same code.

#include <cstdint>
#include <cstring>

#include "tabla_potencias.h"

// Levels 2 and 3; each gives the correctly rounded e^x for any x.
double ExponencialPrecisa(double x);
double ExponencialExacta(double x);

namespace exponencial {

inline constexpr double Redondeo = 0x1.8p52;  // adding it rounds to an integer held in the low mantissa bits
inline constexpr double PasosPorUnidad = 0x1.71547652b82fep+8;  // 256 / ln 2
// (ln 2)/256 in three parts. The first two have 34 significant bits, so their
// products with any |n| < 2^19 are exact.
inline constexpr double Paso1 = 0x1.62e42fef8p-9, Paso2 = 0x1.1cf79abc8p-44, Paso3 = 0x1.e3b39803f3p-80;

// Vectors pass by value only between always-inlined functions.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpsabi"

// The bits of b as an A of the same size; for vectors too, where the
// sanitizers misread std::bit_cast.
template <class A, class B>
[[gnu::always_inline]] inline A ComoBits(const B& b) {
    static_assert(sizeof(A) == sizeof(B));
    A a;
    std::memcpy(&a, &b, sizeof a);
    return a;
}

// x = n·(ln 2)/256 + (r1 − p2 − p3), r1 and p2 exact: n in two's complement
// in U, and as the double nd.
template <class T, class U>
struct Reduccion {
    U n;
    T nd, r1, p2, p3;
};

template <class T, class U>
[[gnu::always_inline]] inline Reduccion<T, U> Reducir(const T& x) {
    const T redondeado = x * PasosPorUnidad + Redondeo;
    const T nd = redondeado - Redondeo;
    return {ComoBits<U>(redondeado) - ComoBits<std::uint64_t>(Redondeo), nd, x - nd * Paso1, nd * Paso2, nd * Paso3};
}

// The quick value y of e^x, and whether its rounding is settled, lane by lane:
// T is double with U std::uint64_t, or a vector of doubles with U the
// unsigned vector of its width (unsigned, so that lanes out of range wrap
// instead of overflowing). entradas(j) gives the table entries of indexes j as
// .alto and .bajo. Lanes outside the quick range, where the result overflows
// or comes near the subnormal doubles (the error term e would lose bits), and
// NaN lanes are never settled; their y is meaningless.
template <class T, class U, class Entradas, class Decision>
[[gnu::always_inline]] inline T ExpRapida(const T& x, Entradas entradas, Decision& seguro) {
    const Reduccion<T, U> a = Reducir<T, U>(x);
    const T r = a.r1 - (a.p2 + a.p3);
    // k = floor(n / 256) in an exponent field: 2^k·(1 + r), and 2^k·alto.
    const U exponente = (a.n & ~std::uint64_t{255}) << 44;
    const T dosK = ComoBits<T>(ComoBits<U>(T{} + 1.0) + exponente);
    const T g = dosK + dosK * r;
    const auto t = entradas(a.n & 255);
    const T escala = ComoBits<T>(ComoBits<U>(t.alto) + exponente);
    // e^x = escala·e^r + 2^k·bajo·e^r, the second term to first order in r.
    // Only the last few operations wait for the table.
    const T r2 = r * r;
    const T q = r + (r2 * (0.5 + r * (1.0 / 6)) + (r2 * r2) * (1.0 / 24 + r * (1.0 / 120)));
    const T b = escala * q + t.bajo * g;
    const T y = escala + b;
    const T e = b - (y - escala);  // y + e = escala + b exactly
    // The error bound, widened: the errors of b, q and r stay below 2^-60.3 of escala.
    const T margen = escala * 0x1p-59;
    seguro = (x > -700.0) & (x < 709.0) & (y + (e - margen) == y) & (y + (e + margen) == y);
    return y;
}
#pragma GCC diagnostic pop

}  // namespace exponencial

[[gnu::always_inline]] inline double Exponencial(double x) {
    bool seguro;
    const double y = exponencial::ExpRapida<double, std::uint64_t>(
        x, [](std::uint64_t j) { return TablaPotencias[j]; }, seguro);
    if (seguro) [[likely]]
        return y;
    return ExponencialPrecisa(x);
}
