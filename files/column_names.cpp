// SPDX-License-Identifier: GPL-3.0-or-later
#include "column_names.h"

#include "integer_text.h"

#include <optional>

namespace {

// The number of characters of `text`, or none when it is not valid UTF-8
// (overlong forms, surrogates and values above U+10FFFF included).
std::optional<std::size_t> Utf8Length(std::string_view text) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++characters) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t extra = 0;
        char32_t value = 0;
        if (lead < 0x80) {
            value = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1;
            value = lead & 0x1Fu;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2;
            value = lead & 0x0Fu;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3;
            value = lead & 0x07u;
        } else {
            return std::nullopt;
        }
        if (text.size() - i <= extra) return std::nullopt;
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0u) != 0x80u) return std::nullopt;
            value = (value << 6) | (next & 0x3Fu);
        }
        constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
        if (value < kSmallest[extra] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return std::nullopt;
        i += extra + 1;
    }
    return characters;
}

}  // namespace

std::string DefaultInputName(std::int32_t i) { return "Entrada " + IntegerText(i); }

std::string DefaultOutputName(std::int32_t k) { return "Salida " + IntegerText(k); }

std::vector<std::string> NamesOrDefaults(const std::vector<std::string>& names, std::int32_t count,
                                         std::string (*defaultName)(std::int32_t)) {
    std::vector<std::string> all;
    for (std::int32_t c = 1; c <= count; ++c) {
        all.push_back(static_cast<std::size_t>(c) <= names.size() ? names[static_cast<std::size_t>(c - 1)] : defaultName(c));
    }
    return all;
}

bool HasOwnNames(const std::vector<std::string>& inputNames, std::int32_t inputs,
                 const std::vector<std::string>& outputNames, std::int32_t outputs) {
    return NamesOrDefaults(inputNames, inputs, DefaultInputName) != NamesOrDefaults({}, inputs, DefaultInputName) ||
           NamesOrDefaults(outputNames, outputs, DefaultOutputName) != NamesOrDefaults({}, outputs, DefaultOutputName);
}

std::string NameFault(std::string_view name) {
    const std::optional<std::size_t> length = Utf8Length(name);
    if (!length) return "no es texto UTF-8 válido";
    if (name.find('\t') != std::string_view::npos) return "tiene un tabulador";
    if (name.find_first_of("\r\n") != std::string_view::npos) return "tiene un salto de línea";
    if (name.find('\0') != std::string_view::npos) return "tiene un byte nulo";
    if (*length > kMaxNameLength) return "tiene más de " + IntegerText(kMaxNameLength) + " caracteres";
    return {};
}
