// SPDX-License-Identifier: GPL-3.0-or-later
#include "io_names.h"

#include "integer_text.h"
#include "program_error.h"

#include <algorithm>
#include <vector>

namespace {

// The character at `at`, which moves past it; none when the bytes there are
// no valid UTF-8 sequence.
std::optional<char32_t> NextCharacter(std::string_view text, std::size_t& at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) {
        ++at;
        return lead;
    }
    // The sequence's length, its lead's bits and the smallest value it may
    // carry (a smaller one would be an overlong form).
    std::size_t length;
    char32_t value, least;
    if (lead >= 0xC2 && lead <= 0xDF) length = 2, value = lead & 0x1Fu, least = 0x80;
    else if (lead >= 0xE0 && lead <= 0xEF) length = 3, value = lead & 0x0Fu, least = 0x800;
    else if (lead >= 0xF0 && lead <= 0xF4) length = 4, value = lead & 0x07u, least = 0x10000;
    else return std::nullopt;
    if (text.size() - at < length) return std::nullopt;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return std::nullopt;
        value = value << 6 | (byte(at + i) & 0x3Fu);
    }
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return std::nullopt;
    at += length;
    return value;
}

bool IsLineBreak(char32_t c) {
    return c == U'\n' || c == U'\r' || c == U'\v' || c == U'\f' || c == 0x85 || c == 0x2028 || c == 0x2029;
}

// A tab, or a C0 or C1 control character other than the line breaks.
bool IsControl(char32_t c) { return !IsLineBreak(c) && (c < 0x20 || (c >= 0x7F && c <= 0x9F)); }

const std::string& ShownName(const std::vector<std::string>& names, std::int32_t index, const std::string& fallback) {
    const auto i = static_cast<std::size_t>(index - 1);
    return index >= 1 && i < names.size() && !names[i].empty() ? names[i] : fallback;
}

}  // namespace

std::string DefaultInputName(std::int32_t i) { return "Entrada " + IntegerText(i); }

std::string DefaultOutputName(std::int32_t k) { return "Salida " + IntegerText(k); }

std::string InputName(const WorkState& state, std::int32_t i) {
    return ShownName(state.InputNames, i, DefaultInputName(i));
}

std::string OutputName(const WorkState& state, std::int32_t k) {
    return ShownName(state.OutputNames, k, DefaultOutputName(k));
}

bool HasOwnNames(const WorkState& state, std::int32_t inputs, std::int32_t outputs) {
    for (std::int32_t i = 1; i <= inputs; ++i)
        if (InputName(state, i) != DefaultInputName(i)) return true;
    for (std::int32_t k = 1; k <= outputs; ++k)
        if (OutputName(state, k) != DefaultOutputName(k)) return true;
    return false;
}

std::optional<std::size_t> Utf8Characters(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); ++count)
        if (!NextCharacter(text, at)) return std::nullopt;
    return count;
}

void CheckTypedName(std::string_view name) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < name.size(); ++count) {
        const auto c = NextCharacter(name, at);
        if (!c) throw ProgramError("El nombre no es texto UTF-8 válido");
        if (IsLineBreak(*c)) throw ProgramError("Un nombre no puede tener saltos de línea");
        if (*c == U'\t') throw ProgramError("Un nombre no puede tener tabuladores");
        if (IsControl(*c)) throw ProgramError("Un nombre no puede tener caracteres de control");
    }
    if (count > kMaxNameCharacters)
        throw ProgramError("Un nombre tiene como mucho " + IntegerText(kMaxNameCharacters) + " caracteres y este tiene " +
                           IntegerText(static_cast<std::int64_t>(count)));
}

HeaderName NameFromHeader(std::string_view cell, std::int32_t column) {
    const std::string where = "Columna " + IntegerText(column) + ": el nombre ";
    if (!Utf8Characters(cell)) return {{}, where + "no es texto UTF-8 válido y se deja el de siempre"};
    // The first line, character by character, controls turned into spaces.
    std::vector<std::string> line;
    bool secondLine = false, controls = false;
    for (std::size_t at = 0; at < cell.size();) {
        const std::size_t start = at;
        const char32_t c = *NextCharacter(cell, at);
        if (IsLineBreak(c)) {
            // Only a line with more than blanks after it was cut off.
            secondLine = cell.find_first_not_of(" \t\r\n\v\f", at) != std::string_view::npos;
            break;
        }
        controls = controls || IsControl(c);
        line.emplace_back(IsControl(c) ? std::string_view(" ") : cell.substr(start, at - start));
    }
    const auto blank = [](const std::string& c) { return c == " "; };
    const auto trimTail = [&] {
        while (!line.empty() && blank(line.back())) line.pop_back();
    };
    trimTail();
    line.erase(line.begin(), std::find_if_not(line.begin(), line.end(), blank));
    const bool tooLong = line.size() > kMaxNameCharacters;
    if (tooLong) {
        line.resize(kMaxNameCharacters);
        trimTail();
    }
    HeaderName header;
    for (const std::string& c : line) header.name += c;

    const std::string length = IntegerText(kMaxNameCharacters) + " caracteres";
    std::string change;
    if (secondLine && tooLong) change = "se ha cortado a su primera línea y a " + length;
    else if (secondLine) change = "se ha cortado a su primera línea";
    else if (tooLong) change = "se ha cortado a " + length;
    if (controls) change += std::string(change.empty() ? "" : " y ") + "tiene espacios en lugar de tabuladores y caracteres de control";
    if (!change.empty()) header.note = where + change;
    return header;
}
