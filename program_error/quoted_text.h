// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How every message quotes what the user typed, pasted or loaded: briefly,
// so that a huge cell, line or clipboard makes a short message at once.

#include <cstddef>
#include <string>
#include <string_view>

// Characters of the user's text a message quotes before "…".
inline constexpr std::size_t kQuotedCharacters = 40;

// The text's first kQuotedCharacters UTF-8 characters, followed by "…" when
// more follow. A control character (a line break, a tab) shows as a blank,
// so a quote stays on one line. Only the part quoted is looked at.
inline std::string QuotedText(std::string_view text) {
    std::string quoted;
    std::size_t characters = 0;
    std::size_t i = 0;
    for (; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool continuation = (byte & 0xC0) == 0x80;
        if (!continuation && characters++ == kQuotedCharacters) break;
        quoted.push_back(byte < 0x20 || byte == 0x7F ? ' ' : text[i]);
    }
    if (i < text.size()) quoted += "\u2026";
    return quoted;
}
