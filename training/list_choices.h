// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The configuration tab's two drop-down lists as the core knows them: the
// rule list holds "Suma Ponderada"; the transfer-function list "Sigmoide",
// "TangenteHiperbolica", "Identidad". Files store a list's position; -1, or
// any position that is not an item, means nothing selected.

#include <cstdint>

class TRedNeuronal;

constexpr std::int32_t kRuleListItems = 1;
constexpr std::int32_t kFunctionListItems = 3;

// The position if it is an item of a list with `items` entries, else -1.
std::int32_t ListPosition(std::int32_t written, std::int32_t items);

// The network takes the rule and the transfer function at these positions;
// a list with nothing selected leaves its property as it is.
void ApplyListChoices(TRedNeuronal& network, std::int32_t rule, std::int32_t function);
