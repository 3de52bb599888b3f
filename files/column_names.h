// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The names of a network's inputs and outputs: the data tab's headers until
// the learner renames them, and what a name may hold so that an untrained
// file keeps it on one line of its own.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

constexpr std::size_t kMaxNameLength = 40;  // characters, not bytes

// "Entrada <i>" and "Salida <k>", the pattern table's headers.
std::string DefaultInputName(std::int32_t i);
std::string DefaultOutputName(std::int32_t k);

// True when one of names 1..`inputs` or 1..`outputs` differs from its
// default; a list shorter than its count has the defaults for the rest, and
// names beyond the count do not count.
bool HasOwnNames(const std::vector<std::string>& inputNames, std::int32_t inputs,
                 const std::vector<std::string>& outputNames, std::int32_t outputs);

// Names 1..`count`: those given, then the defaults of `defaultName`.
std::vector<std::string> NamesOrDefaults(const std::vector<std::string>& names, std::int32_t count,
                                         std::string (*defaultName)(std::int32_t));

// Why `name` cannot be a name, as the end of a sentence ("tiene un
// tabulador"); empty when it can: valid UTF-8 of at most kMaxNameLength
// characters, without a tab, a line break or a NUL byte. Empty names and
// duplicates are allowed.
std::string NameFault(std::string_view name);
