// SPDX-License-Identifier: GPL-3.0-or-later
#include "learning_choices.h"

void LearningChoices::SetPattern(int pattern) {
    if (pattern == pattern_) return;
    pattern_ = pattern;
    emit PatternChanged(pattern);
}

void LearningChoices::SetDecimals(int decimals) {
    if (decimals == decimals_) return;
    decimals_ = decimals;
    emit DecimalsChanged(decimals);
}
