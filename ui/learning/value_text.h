// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the learning views write a value: rounded to the decimals the learner
// chose, and in full (15 significant digits) where the exact value is asked for.

#include <QString>

#include <vector>

struct WorkedTerm;

inline constexpr int kDefaultDecimals = 4;

// Fixed notation with `decimals` decimals and the regional separator. From
// 1e9 up, where fixed digits would only widen a column, and for values that
// are not finite, the full 15-digit form.
QString RoundedText(double value, int decimals);

// A worked computation's pieces as one text: values rounded, a negative
// factor in parentheses, η and the like in full.
QString TermsText(const std::vector<WorkedTerm>& terms, int decimals);
