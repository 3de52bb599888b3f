// SPDX-License-Identifier: GPL-3.0-or-later
#include "column_names.h"

#include "integer_text.h"

#include <optional>

std::optional<char32_t> NextUtf8Character(std::string_view text, std::size_t& at) {
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

std::optional<std::size_t> Utf8Characters(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); ++count)
        if (!NextUtf8Character(text, at)) return std::nullopt;
    return count;
}

std::string DefaultInputName(std::int32_t i) { return "Entrada " + IntegerText(i); }

std::string DefaultOutputName(std::int32_t k) { return "Salida " + IntegerText(k); }

std::vector<std::string> NamesOrDefaults(const std::vector<std::string>& names, std::int32_t count,
                                         std::string (*defaultName)(std::int32_t)) {
    std::vector<std::string> all;
    for (std::int32_t c = 1; c <= count; ++c) {
        const bool own = static_cast<std::size_t>(c) <= names.size() && !names[static_cast<std::size_t>(c - 1)].empty();
        all.push_back(own ? names[static_cast<std::size_t>(c - 1)] : defaultName(c));
    }
    return all;
}

bool HasOwnNames(const std::vector<std::string>& inputNames, std::int32_t inputs,
                 const std::vector<std::string>& outputNames, std::int32_t outputs) {
    return NamesOrDefaults(inputNames, inputs, DefaultInputName) != NamesOrDefaults({}, inputs, DefaultInputName) ||
           NamesOrDefaults(outputNames, outputs, DefaultOutputName) != NamesOrDefaults({}, outputs, DefaultOutputName);
}

std::string NameFault(std::string_view name) {
    const std::optional<std::size_t> length = Utf8Characters(name);
    if (!length) return "no es texto UTF-8 válido";
    if (name.find('\t') != std::string_view::npos) return "tiene un tabulador";
    if (name.find_first_of("\r\n") != std::string_view::npos) return "tiene un salto de línea";
    if (name.find('\0') != std::string_view::npos) return "tiene un byte nulo";
    if (*length > kMaxNameLength) return "tiene más de " + IntegerText(kMaxNameLength) + " caracteres";
    return {};
}
