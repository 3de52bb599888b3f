// e^x in 256-bit fixed point, good to about 2^-170, then rounded once to a
// double: to nearest, ties to even, subnormal results included. Slow (a few
// microseconds); Exponencial needs it for about one argument in 100 000.

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "exponencial.h"

namespace {

using u64 = std::uint64_t;
__extension__ typedef unsigned __int128 u128;  // a GCC extension

// A fixed-point number, two's complement: l[0] + l[1]·2^64 + l[2]·2^128 +
// l[3]·2^192 in units of 2^-192, so l[3] is the integer part.
using Fijo = std::array<u64, 4>;
constexpr int BitsFraccion = 192;

Fijo Sumar(const Fijo& a, const Fijo& b) {
    Fijo s{};
    u64 llevada = 0;
    for (int i = 0; i < 4; ++i) {
        const u128 t = static_cast<u128>(a[i]) + b[i] + llevada;
        s[i] = static_cast<u64>(t);
        llevada = static_cast<u64>(t >> 64);
    }
    return s;
}

Fijo Negar(const Fijo& a) {
    Fijo complemento{};
    for (int i = 0; i < 4; ++i) complemento[i] = ~a[i];
    return Sumar(complemento, Fijo{1, 0, 0, 0});
}

Fijo Restar(const Fijo& a, const Fijo& b) { return Sumar(a, Negar(b)); }

bool EsNegativo(const Fijo& a) { return (a[3] >> 63) != 0; }

bool EsCero(const Fijo& a) { return (a[0] | a[1] | a[2] | a[3]) == 0; }

// Both factors non-negative, the product's integer part below 2^63; truncated.
Fijo Multiplicar(const Fijo& a, const Fijo& b) {
    std::array<u64, 8> p{};
    for (int i = 0; i < 4; ++i) {
        u64 llevada = 0;
        for (int j = 0; j < 4; ++j) {
            const u128 t = static_cast<u128>(a[i]) * b[j] + p[i + j] + llevada;
            p[i + j] = static_cast<u64>(t);
            llevada = static_cast<u64>(t >> 64);
        }
        p[i + 4] = llevada;
    }
    return {p[3], p[4], p[5], p[6]};
}

// a non-negative; truncated.
Fijo MultiplicarPorEntero(const Fijo& a, u64 f) {
    Fijo s{};
    u64 llevada = 0;
    for (int i = 0; i < 4; ++i) {
        const u128 t = static_cast<u128>(a[i]) * f + llevada;
        s[i] = static_cast<u64>(t);
        llevada = static_cast<u64>(t >> 64);
    }
    return s;
}

// a non-negative; truncated.
Fijo DividirPorEntero(const Fijo& a, u64 d) {
    Fijo q{};
    u128 resto = 0;
    for (int i = 3; i >= 0; --i) {
        const u128 actual = (resto << 64) | a[i];
        q[i] = static_cast<u64>(actual / d);
        resto = actual % d;
    }
    return q;
}

constexpr Fijo Uno = {0, 0, 0, 1};

// ln 2 = sum over i >= 1 of 1/(i·2^i); each term truncated, so the sum is
// short of ln 2 by less than 200 units of 2^-192.
Fijo CalcularLn2() {
    Fijo suma{}, potencia = Uno;
    for (u64 i = 1; !EsCero(potencia); ++i) {
        potencia = DividirPorEntero(potencia, 2);
        suma = Sumar(suma, DividirPorEntero(potencia, i));
    }
    return suma;
}

// x exactly, for 2^-106 <= |x| < 2^11.
Fijo AFijo(double x) {
    const u64 bits = std::bit_cast<u64>(x);
    const int exponente = static_cast<int>((bits >> 52) & 0x7ff) - 1075;
    const u64 mantisa = (bits & ((u64{1} << 52) - 1)) | (u64{1} << 52);
    const int desplazamiento = exponente + BitsFraccion;  // at least 86
    Fijo f{};
    const int limbo = desplazamiento / 64, bit = desplazamiento % 64;
    f[limbo] = mantisa << bit;
    if (bit != 0 && limbo + 1 < 4) f[limbo + 1] = mantisa >> (64 - bit);
    return x < 0 ? Negar(f) : f;
}

// e^r for 0 <= r < 1: the Taylor series until its terms vanish.
Fijo Exp(const Fijo& r) {
    Fijo suma = Uno, termino = Uno;
    for (u64 i = 1; !EsCero(termino); ++i) {
        termino = DividirPorEntero(Multiplicar(termino, r), i);
        suma = Sumar(suma, termino);
    }
    return suma;
}

// v·2^k rounded to the nearest double, for 1 <= v < 2.
double Redondear(const Fijo& v, int k) {
    if (k > 1023) return std::numeric_limits<double>::infinity();
    // Bits kept: 53, fewer when the result is subnormal.
    const int precision = k >= -1022 ? 53 : k + 1075;
    if (precision < 0) return 0.0;
    if (precision == 0) return std::numeric_limits<double>::denorm_min();  // above half the smallest, as v > 1
    const u64 alto = (v[3] << 63) | (v[2] >> 1);  // the top 64 bits of v, its leading 1 at bit 63
    const bool restoNoNulo = ((v[2] & 1) | v[1] | v[0]) != 0;
    const int descartados = 64 - precision;
    u64 mantisa = alto >> descartados;
    const u64 bajo = alto & ((u64{1} << descartados) - 1), mitad = u64{1} << (descartados - 1);
    if (bajo > mitad || (bajo == mitad && (restoNoNulo || (mantisa & 1) != 0))) ++mantisa;
    return std::ldexp(static_cast<double>(mantisa), k - precision + 1);
}

}  // namespace

double ExponencialExacta(double x) {
    if (std::isnan(x)) return x + x;
    if (x > 710.0) return std::numeric_limits<double>::infinity();
    if (x < -746.0) return 0.0;
    // Within half a unit of 1 either side.
    if (std::fabs(x) < 0x1p-54) return 1.0;

    static const Fijo ln2 = CalcularLn2();
    // x = k·ln 2 + r with 0 <= r < ln 2; the estimate of k is off by at most one.
    int k = static_cast<int>(std::floor(x * 1.4426950408889634));
    const Fijo kLn2 = MultiplicarPorEntero(ln2, static_cast<u64>(k < 0 ? -k : k));
    Fijo r = k < 0 ? Sumar(AFijo(x), kLn2) : Restar(AFijo(x), kLn2);
    while (EsNegativo(r)) {
        r = Sumar(r, ln2);
        --k;
    }
    while (!EsNegativo(Restar(r, ln2))) {
        r = Restar(r, ln2);
        ++k;
    }

    Fijo e = Exp(r);
    // The truncations may leave e^r a hair outside [1, 2).
    if (e[3] >= 2) {
        e = DividirPorEntero(e, 2);
        ++k;
    } else if (e[3] == 0) {
        e = Sumar(e, e);
        --k;
    }
    return Redondear(e, k);
}
