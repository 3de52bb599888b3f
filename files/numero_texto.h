#pragma once
// The text form of numbers in the network files, also used by the float grid:
// integers in plain decimal, reals in general format with 15 significant
// digits and a decimal separator chosen by the caller (the core never reads a
// locale). Only the standard library is used, so any layer may link it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The integer in decimal: "-" for negatives, no "+", no leading zeros.
std::string TextoEntero(std::int32_t valor);

// The real rounded to 15 significant digits (a half at the sixteenth digit,
// judged on the double's exact decimal value, goes away from zero), trailing
// zeros dropped; fixed notation when the rounded magnitude lies in
// 0.0001 .. below 1E15, otherwise scientific ("1E-5", "-2.5E-7", "1.5E20").
// Zero is "0"; values that are not finite, which no file holds, are "NAN",
// "INF" and "-INF".
std::string TextoReal(double valor, char separador);

// Reads an integer text: leading blanks, an optional sign, then decimal
// digits, or hexadecimal ones after "$", "x", "X", "0x" or "0X"; nothing may
// follow, and the value must fit 32 bits. Empty when the text is not one.
std::optional<std::int32_t> LeerEntero(std::string_view texto);

enum class EstadoLectura : std::uint8_t { Correcta, NoEsNumero, Desbordamiento };

struct LecturaReal {
    EstadoLectura estado = EstadoLectura::NoEsNumero;
    double valor = 0.0;  // meaningful only when estado is Correcta
};

// Reads a real text: leading blanks, an optional sign, digits with at most one
// `separador`, an optional exponent ("E" or "e", optional sign, digits),
// trailing blanks. A magnitude too large for a double is Desbordamiento; one
// too small reads as zero. The value is the double nearest to the text.
LecturaReal AnalizarReal(std::string_view texto, char separador);

// AnalizarReal for callers that only ask "is this a number, and which".
std::optional<double> LeerReal(std::string_view texto, char separador);
