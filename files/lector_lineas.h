#pragma once
// Reads the values of a network file by line number, with the messages the
// user sees for a missing or malformed line.

#include <cstdint>
#include <string_view>
#include <vector>

class LectorLineas {
public:
    // Splits `texto`, which must outlive the reader.
    LectorLineas(std::string_view texto, char separador);

    // Line `numero` (from 1) as an integer; throws "'<line>' is not a valid
    // integer value", or "List index out of bounds (<numero - 1>)" when the
    // text has no such line.
    std::int32_t Entero(std::int32_t numero) const;
    // Line `numero` as a real; throws "'<line>' is not a valid floating point
    // value", "Floating point overflow", or the missing-line message.
    double Real(std::int32_t numero) const;
    // Line `numero` as it stands; throws the missing-line message.
    std::string_view Linea(std::int32_t numero) const;

private:
    std::vector<std::string_view> lineas_;
    char separador_;
};
