// SPDX-License-Identifier: GPL-3.0-or-later
#include "read_messages.h"

#include "integer_text.h"

namespace {

constexpr std::size_t kQuoteLength = 64;

std::string Quoting(std::string_view line, std::string_view what) {
    return "'" + QuotedLine(line) + "' is not a valid " + std::string(what);
}

}  // namespace

std::string QuotedLine(std::string_view line) {
    if (line.size() <= kQuoteLength) return std::string(line);
    std::size_t cut = kQuoteLength;
    while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
    return std::string(line.substr(0, cut)) + "\u2026";
}

std::string NotAnIntegerMessage(std::string_view line) { return Quoting(line, "integer value"); }

std::string NotARealMessage(std::string_view line) { return Quoting(line, "floating point value"); }

std::string NotAPatternCountMessage(std::string_view line) { return Quoting(line, "pattern count"); }

std::string MissingLineMessage(std::int32_t index) { return "List index out of bounds (" + IntegerText(index) + ")"; }

std::string CannotOpenMessage(const std::string& path) { return "Cannot open file " + path; }

std::string CompanionMismatchWarning(const std::string& companionPath) {
    return "El fichero de patrones " + companionPath + " no corresponde a la topología de la red; no se ha cargado.";
}
