#include "numero_texto.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

constexpr int CifrasSignificativas = 15;

// A magnitude rounded to 15 significant digits: 0.d1d2...d15 x 10^x.
struct Rounding {
    std::array<char, CifrasSignificativas> cifras{};
    int x = 0;
};

__extension__ typedef unsigned __int128 Entero128;

constexpr std::array<std::uint64_t, 28> PotenciasDe5 = [] {
    std::array<std::uint64_t, 28> potencias{};
    potencias[0] = 1;
    for (std::size_t i = 1; i < potencias.size(); ++i) potencias[i] = potencias[i - 1] * 5;
    return potencias;
}();

// The usual case, exactly and fast: for 1E-13 <= magnitud < 1E15 the value
// times 10^(14 - e10) is mantissa x 5^k x 2^(exponent + k), which 128 bits
// hold whole, so its integer part gives the 15 digits and its fraction the
// rounding. Empty outside that range.
std::optional<Rounding> RedondeoEntero(double magnitud) {
    if (!(magnitud >= 1e-13 && magnitud < 1e15)) return std::nullopt;
    constexpr std::uint64_t minimo = 100000000000000;  // 10^14: fifteen digits
    constexpr std::uint64_t limite = 10 * minimo;
    const auto bits = std::bit_cast<std::uint64_t>(magnitud);
    const std::uint64_t mantisa = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    const int exponente = static_cast<int>(bits >> 52) - 1075;  // magnitud = mantisa x 2^exponente
    // floor(log10(2^(exponente + 52))): the power of ten of the first digit
    // or one below it, which the digit count below corrects.
    int e10 = ((exponente + 52) * 78913) >> 18;
    for (int intento = 0; intento < 3; ++intento) {
        const int k = 14 - e10;
        if (k < 0 || k >= static_cast<int>(PotenciasDe5.size())) return std::nullopt;
        const Entero128 producto = static_cast<Entero128>(mantisa) * PotenciasDe5[static_cast<std::size_t>(k)];
        const int desplazamiento = exponente + k;
        Entero128 entero = 0;
        bool subir = false;
        if (desplazamiento >= 0) {
            if (desplazamiento > 10) return std::nullopt;
            entero = producto << desplazamiento;
        } else {
            const int t = -desplazamiento;
            if (t >= 127) return std::nullopt;
            const Entero128 uno = 1;
            entero = producto >> t;
            subir = (producto & ((uno << t) - 1)) >= (uno << (t - 1));  // a half goes away from zero
        }
        if (entero < minimo) {
            --e10;
            continue;
        }
        if (entero >= limite) {
            ++e10;
            continue;
        }
        auto redondeado = static_cast<std::uint64_t>(entero) + (subir ? 1 : 0);
        Rounding r;
        r.x = e10 + 1;
        if (redondeado == limite) {
            redondeado = minimo;
            ++r.x;
        }
        for (int i = CifrasSignificativas - 1; i >= 0; --i) {
            r.cifras[static_cast<std::size_t>(i)] = static_cast<char>('0' + redondeado % 10);
            redondeado /= 10;
        }
        return r;
    }
    return std::nullopt;
}

// Splits "d.ddd...e[+-]x" as written by std::to_chars in scientific form
// into its first 16 digits, truncated, and the power of ten of the first.
void TomarCifras(const char* inicio, const char* fin, std::array<char, CifrasSignificativas + 1>& cifras,
                 int& exponente) {
    std::size_t n = 0;
    const char* p = inicio;
    for (; p != fin && *p != 'e'; ++p) {
        if (*p != '.' && n < cifras.size()) cifras[n++] = *p;
    }
    ++p;  // the 'e'
    const bool negativo = *p == '-';
    ++p;  // to_chars always writes the exponent's sign
    std::from_chars(p, fin, exponente);
    if (negativo) exponente = -exponente;
}

// Any magnitude, from the decimal digits of its exact value.
Rounding RedondeoPorTexto(double magnitud) {
    // 20 correctly rounded digits almost always truncate to the exact first
    // 16; only when digits 17..20 came out as zeros may a run of nines have
    // carried into digit 16 (or beyond), and then the exact expansion decides.
    // A double's exact decimal expansion has at most 767 significant digits.
    std::array<char, CifrasSignificativas + 1> exactas{};
    int exponente = 0;
    std::array<char, 40> corto{};
    auto r = std::to_chars(corto.data(), corto.data() + corto.size(), magnitud, std::chars_format::scientific, 19);
    const char* cola = corto.data() + 17;  // digits 17..20 ("d." takes two places)
    if (!(cola[0] == '0' && cola[1] == '0' && cola[2] == '0' && cola[3] == '0')) {
        TomarCifras(corto.data(), r.ptr, exactas, exponente);
    } else {
        std::array<char, 800> exacto{};
        r = std::to_chars(exacto.data(), exacto.data() + exacto.size(), magnitud, std::chars_format::scientific, 770);
        TomarCifras(exacto.data(), r.ptr, exactas, exponente);
    }

    Rounding redondeo;
    for (std::size_t i = 0; i < redondeo.cifras.size(); ++i) redondeo.cifras[i] = exactas[i];
    redondeo.x = exponente + 1;
    if (exactas[CifrasSignificativas] >= '5') {
        int i = CifrasSignificativas - 1;
        while (i >= 0 && redondeo.cifras[static_cast<std::size_t>(i)] == '9') redondeo.cifras[static_cast<std::size_t>(i--)] = '0';
        if (i >= 0) {
            ++redondeo.cifras[static_cast<std::size_t>(i)];
        } else {
            redondeo.cifras[0] = '1';
            ++redondeo.x;
        }
    }
    return redondeo;
}

// The largest double written with 15 digits, 0.179769313486232 x 10^309,
// lies above it. A magnitude between the two reads as the largest double,
// the double nearest to it, so that whatever is written reads back.
// `cifras` starts at the first non-zero digit and may hold the separator at
// `separador` (beyond its end when there is none); `orden` is the power of
// ten just above the first digit.
bool HastaMaximoEscrito(std::string_view cifras, std::size_t separador, std::int64_t orden) {
    constexpr std::string_view maximo = "179769313486232";
    if (orden != 309) return false;
    std::size_t j = 0;
    for (std::size_t k = 0; k < cifras.size(); ++k) {
        if (k == separador) continue;
        const char c = cifras[k];
        if (j == maximo.size()) {
            if (c != '0') return false;
        } else if (c != maximo[j++]) {
            return c < maximo[j - 1];
        }
    }
    return true;
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

    const double magnitud = std::fabs(valor);
    const std::optional<Rounding> rapido = RedondeoEntero(magnitud);
    const Rounding redondeo = rapido ? *rapido : RedondeoPorTexto(magnitud);
    const std::array<char, CifrasSignificativas>& cifras = redondeo.cifras;
    const int x = redondeo.x;
    int m = CifrasSignificativas;
    while (cifras[m - 1] == '0') --m;

    // At most "-0," + 3 zeros + 15 digits, or "-d," + 14 digits + "E-324".
    std::array<char, 32> texto{};
    char* p = texto.data();
    auto poner = [&p](const char* desde, int cuantos) {
        for (int i = 0; i < cuantos; ++i) *p++ = desde[i];
    };
    if (valor < 0) *p++ = '-';
    if (x >= -3 && x <= 15) {
        if (x <= 0) {
            *p++ = '0';
            *p++ = separador;
            for (int i = 0; i < -x; ++i) *p++ = '0';
            poner(cifras.data(), m);
        } else if (m <= x) {
            poner(cifras.data(), m);
            for (int i = m; i < x; ++i) *p++ = '0';
        } else {
            poner(cifras.data(), x);
            *p++ = separador;
            poner(cifras.data() + x, m - x);
        }
    } else {
        *p++ = cifras[0];
        if (m > 1) {
            *p++ = separador;
            poner(cifras.data() + 1, m - 1);
        }
        *p++ = 'E';
        p = std::to_chars(p, texto.data() + texto.size(), x - 1).ptr;
    }
    return std::string(texto.data(), p);
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

    // std::from_chars wants "." and no "+": rewrite the number in that form,
    // on the stack when it is short, as every number the program writes is.
    const std::size_t inicioNumero = negativo ? inicioMantisa - 1 : inicioMantisa;
    const std::string_view numero = texto.substr(inicioNumero, finExponente - inicioNumero);
    std::array<char, 64> corto{};
    std::string largo;
    char* normal = corto.data();
    if (numero.size() > corto.size()) {
        largo.resize(numero.size());
        normal = largo.data();
    }
    std::size_t largoNormal = 0;
    if (negativo) normal[largoNormal++] = '-';
    for (std::size_t k = inicioMantisa; k < finMantisa; ++k) normal[largoNormal++] = k == posicionSeparador ? '.' : texto[k];
    if (finExponente > inicioExponente) {
        normal[largoNormal++] = 'e';
        if (exponenteNegativo) normal[largoNormal++] = '-';
        for (std::size_t k = inicioExponente; k < finExponente; ++k) normal[largoNormal++] = texto[k];
    }

    double valor = 0.0;
    auto r = std::from_chars(normal, normal + largoNormal, valor, std::chars_format::general);
    if (r.ec == std::errc{}) return {EstadoLectura::Correcta, valor};

    // Out of range either way: the order of magnitude of the first non-zero
    // digit tells overflow from underflow (which reads as zero).
    std::int64_t orden = 0;
    std::size_t primera = finMantisa;
    for (std::size_t k = inicioMantisa, posicion = 0; k < finMantisa && primera == finMantisa; ++k) {
        if (k == posicionSeparador) continue;
        if (texto[k] != '0') {
            std::size_t enteras = (posicionSeparador == std::string_view::npos ? finMantisa : posicionSeparador) - inicioMantisa;
            orden = static_cast<std::int64_t>(enteras) - static_cast<std::int64_t>(posicion);
            primera = k;
        }
        ++posicion;
    }
    std::int64_t exponente = 0;
    for (std::size_t k = inicioExponente; k < finExponente && exponente < 1000000000000000; ++k) exponente = exponente * 10 + (texto[k] - '0');
    orden += exponenteNegativo ? -exponente : exponente;
    if (orden <= 0) return {EstadoLectura::Correcta, negativo ? -0.0 : 0.0};
    if (HastaMaximoEscrito(texto.substr(primera, finMantisa - primera), posicionSeparador - primera, orden)) {
        constexpr double maximo = std::numeric_limits<double>::max();
        return {EstadoLectura::Correcta, negativo ? -maximo : maximo};
    }
    return {EstadoLectura::Desbordamiento, 0.0};
}

std::optional<double> LeerReal(std::string_view texto, char separador) {
    LecturaReal lectura = AnalizarReal(texto, separador);
    if (lectura.estado != EstadoLectura::Correcta) return std::nullopt;
    return lectura.valor;
}
