#include "numero_texto.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

constexpr int CifrasSignificativas = 15;

// The first 16 significant digits of |valor|'s exact decimal value, truncated,
// and the power of ten of the first one (valor = d1.d2d3... x 10^exponente).
struct CifrasExactas {
    std::array<char, CifrasSignificativas + 1> cifras{};
    int exponente = 0;
};

// Splits "d.ddd...e[+-]x" as written by std::to_chars in scientific form.
CifrasExactas TomarCifras(const char* inicio, const char* fin) {
    CifrasExactas resultado;
    std::size_t n = 0;
    const char* p = inicio;
    for (; p != fin && *p != 'e'; ++p) {
        if (*p != '.' && n < resultado.cifras.size()) resultado.cifras[n++] = *p;
    }
    ++p;  // the 'e'
    bool negativo = *p == '-';
    ++p;  // to_chars always writes the exponent's sign
    int exponente = 0;
    std::from_chars(p, fin, exponente);
    resultado.exponente = negativo ? -exponente : exponente;
    return resultado;
}

CifrasExactas CifrasDe(double magnitud) {
    // 20 correctly rounded digits almost always truncate to the exact first
    // 16; only when digits 17..20 came out as zeros may a run of nines have
    // carried into digit 16 (or beyond), and then the exact expansion decides.
    // A double's exact decimal expansion has at most 767 significant digits.
    std::array<char, 40> corto{};
    auto r = std::to_chars(corto.data(), corto.data() + corto.size(), magnitud, std::chars_format::scientific, 19);
    const char* cola = corto.data() + 17;  // digits 17..20 ("d." takes two places)
    if (!(cola[0] == '0' && cola[1] == '0' && cola[2] == '0' && cola[3] == '0')) return TomarCifras(corto.data(), r.ptr);
    std::array<char, 800> exacto{};
    r = std::to_chars(exacto.data(), exacto.data() + exacto.size(), magnitud, std::chars_format::scientific, 770);
    return TomarCifras(exacto.data(), r.ptr);
}

bool EsBlanco(char c) { return c == ' '; }
bool EsCifra(char c) { return c >= '0' && c <= '9'; }

int ValorHexadecimal(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string TextoEntero(std::int32_t valor) {
    std::array<char, 16> texto{};
    auto r = std::to_chars(texto.data(), texto.data() + texto.size(), valor);
    return std::string(texto.data(), r.ptr);
}

std::string TextoReal(double valor, char separador) {
    if (std::isnan(valor)) return "NAN";
    if (std::isinf(valor)) return valor < 0 ? "-INF" : "INF";
    if (valor == 0.0) return "0";

    CifrasExactas exactas = CifrasDe(std::fabs(valor));
    std::array<char, CifrasSignificativas> cifras{};
    for (int i = 0; i < CifrasSignificativas; ++i) cifras[i] = exactas.cifras[i];
    int x = exactas.exponente + 1;  // valor = 0.d1d2... x 10^x
    if (exactas.cifras[CifrasSignificativas] >= '5') {
        int i = CifrasSignificativas - 1;
        while (i >= 0 && cifras[i] == '9') cifras[i--] = '0';
        if (i >= 0) {
            ++cifras[i];
        } else {
            cifras[0] = '1';
            ++x;
        }
    }
    int m = CifrasSignificativas;
    while (cifras[m - 1] == '0') --m;

    std::string texto;
    texto.reserve(24);
    if (valor < 0) texto += '-';
    if (x >= -3 && x <= 15) {
        if (x <= 0) {
            texto += '0';
            texto += separador;
            texto.append(static_cast<std::size_t>(-x), '0');
            texto.append(cifras.data(), static_cast<std::size_t>(m));
        } else if (m <= x) {
            texto.append(cifras.data(), static_cast<std::size_t>(m));
            texto.append(static_cast<std::size_t>(x - m), '0');
        } else {
            texto.append(cifras.data(), static_cast<std::size_t>(x));
            texto += separador;
            texto.append(cifras.data() + x, static_cast<std::size_t>(m - x));
        }
    } else {
        texto += cifras[0];
        if (m > 1) {
            texto += separador;
            texto.append(cifras.data() + 1, static_cast<std::size_t>(m - 1));
        }
        texto += 'E';
        texto += TextoEntero(x - 1);
    }
    return texto;
}

std::optional<std::int32_t> LeerEntero(std::string_view texto) {
    std::size_t i = 0;
    const std::size_t n = texto.size();
    while (i < n && EsBlanco(texto[i])) ++i;
    bool negativo = false;
    if (i < n && (texto[i] == '+' || texto[i] == '-')) negativo = texto[i++] == '-';
    int base = 10;
    if (i < n && (texto[i] == '$' || texto[i] == 'x' || texto[i] == 'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && texto[i] == '0' && (texto[i + 1] == 'x' || texto[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == n) return std::nullopt;
    // One past the largest magnitude allowed, so that the negative limit fits.
    constexpr std::int64_t limite = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitud = 0;
    for (; i < n; ++i) {
        int cifra = base == 16 ? ValorHexadecimal(texto[i]) : (EsCifra(texto[i]) ? texto[i] - '0' : -1);
        if (cifra < 0) return std::nullopt;
        magnitud = magnitud * base + cifra;
        if (magnitud > limite) return std::nullopt;
    }
    if (!negativo && magnitud == limite) return std::nullopt;
    return static_cast<std::int32_t>(negativo ? -magnitud : magnitud);
}

LecturaReal AnalizarReal(std::string_view texto, char separador) {
    const std::size_t n = texto.size();
    std::size_t i = 0;
    while (i < n && EsBlanco(texto[i])) ++i;
    bool negativo = false;
    if (i < n && (texto[i] == '+' || texto[i] == '-')) negativo = texto[i++] == '-';

    const std::size_t inicioMantisa = i;
    std::size_t cifrasMantisa = 0;
    std::size_t posicionSeparador = std::string_view::npos;
    for (; i < n; ++i) {
        if (EsCifra(texto[i])) {
            ++cifrasMantisa;
        } else if (texto[i] == separador && posicionSeparador == std::string_view::npos) {
            posicionSeparador = i;
        } else {
            break;
        }
    }
    const std::size_t finMantisa = i;
    if (cifrasMantisa == 0) return {};

    bool exponenteNegativo = false;
    std::size_t inicioExponente = i;
    std::size_t finExponente = i;
    if (i < n && (texto[i] == 'E' || texto[i] == 'e')) {
        ++i;
        if (i < n && (texto[i] == '+' || texto[i] == '-')) exponenteNegativo = texto[i++] == '-';
        inicioExponente = i;
        while (i < n && EsCifra(texto[i])) ++i;
        finExponente = i;
        if (finExponente == inicioExponente) return {};
    }
    while (i < n && EsBlanco(texto[i])) ++i;
    if (i != n) return {};

    // std::from_chars wants "." and no "+": rewrite the number in that form.
    std::string normal;
    normal.reserve(finMantisa - inicioMantisa + finExponente - inicioExponente + 3);
    if (negativo) normal += '-';
    for (std::size_t k = inicioMantisa; k < finMantisa; ++k) normal += k == posicionSeparador ? '.' : texto[k];
    if (finExponente > inicioExponente) {
        normal += 'e';
        if (exponenteNegativo) normal += '-';
        normal.append(texto.substr(inicioExponente, finExponente - inicioExponente));
    }

    double valor = 0.0;
    auto r = std::from_chars(normal.data(), normal.data() + normal.size(), valor, std::chars_format::general);
    if (r.ec == std::errc{}) return {EstadoLectura::Correcta, valor};

    // Out of range either way: the order of magnitude of the first non-zero
    // digit tells overflow from underflow (which reads as zero).
    std::int64_t orden = 0;
    bool hallada = false;
    for (std::size_t k = inicioMantisa, posicion = 0; k < finMantisa && !hallada; ++k) {
        if (k == posicionSeparador) continue;
        if (texto[k] != '0') {
            std::size_t enteras = (posicionSeparador == std::string_view::npos ? finMantisa : posicionSeparador) - inicioMantisa;
            orden = static_cast<std::int64_t>(enteras) - static_cast<std::int64_t>(posicion);
            hallada = true;
        }
        ++posicion;
    }
    std::int64_t exponente = 0;
    for (std::size_t k = inicioExponente; k < finExponente && exponente < 1000000000000000; ++k) exponente = exponente * 10 + (texto[k] - '0');
    orden += exponenteNegativo ? -exponente : exponente;
    if (orden > 0) return {EstadoLectura::Desbordamiento, 0.0};
    return {EstadoLectura::Correcta, negativo ? -0.0 : 0.0};
}

std::optional<double> LeerReal(std::string_view texto, char separador) {
    LecturaReal lectura = AnalizarReal(texto, separador);
    if (lectura.estado != EstadoLectura::Correcta) return std::nullopt;
    return lectura.valor;
}
