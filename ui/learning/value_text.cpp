// SPDX-License-Identifier: GPL-3.0-or-later
#include "value_text.h"

#include "number_texts.h"

#include <cmath>

QString RoundedText(double value, int decimals) {
    if (!std::isfinite(value) || std::fabs(value) >= 1e9) return FileNumberText(value);
    return FixedNumberText(value, decimals);
}
