// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The names of a network's inputs and outputs: the data tab's headers until
// the learner renames them, and what a name may hold so that an untrained
// file keeps it on one line of its own.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

constexpr std::size_t kMaxNameLength = 40;  // characters, not bytes

// "Entrada <i>" and "Salida <k>", the pattern table's headers.
std::string DefaultInputName(std::int32_t i);
std::string DefaultOutputName(std::int32_t k);

// The character at `at`, which moves past it; none when the bytes there are
// no valid UTF-8 sequence (overlong forms, surrogates and values above
// U+10FFFF included).
std::optional<char32_t> NextUtf8Character(std::string_view text, std::size_t& at);

// The length of a UTF-8 text in characters (code points); none when it is
// not valid UTF-8.
std::optional<std::size_t> Utf8Characters(std::string_view text);

// True when one of names 1..`inputs` or 1..`outputs` differs from its
// default; a list shorter than its count has the defaults for the rest, and
// names beyond the count do not count.
bool HasOwnNames(const std::vector<std::string>& inputNames, std::int32_t inputs,
                 const std::vector<std::string>& outputNames, std::int32_t outputs);

// Names 1..`count`: those given, the defaults of `defaultName` for the rest
// and for an empty name.
std::vector<std::string> NamesOrDefaults(const std::vector<std::string>& names, std::int32_t count,
                                         std::string (*defaultName)(std::int32_t));

// Why `name` cannot be a name, as the end of a sentence ("tiene un
// tabulador"); empty when it can: valid UTF-8 of at most kMaxNameLength
// characters, without a tab, a line break or a NUL byte. Empty names and
// duplicates are allowed.
std::string NameFault(std::string_view name);
