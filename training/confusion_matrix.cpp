// SPDX-License-Identifier: GPL-3.0-or-later
#include "confusion_matrix.h"

#include <algorithm>

std::int32_t ConfusionMatrix::Count(std::int32_t expected, std::int32_t obtained) const {
    return counts[Index(expected, obtained)];
}

std::int32_t ConfusionMatrix::Largest() const {
    return counts.empty() ? 0 : *std::max_element(counts.begin(), counts.end());
}

ConfusionMatrix CountConfusion(const ClassScheme& scheme, const std::vector<PatternClass>& classes) {
    ConfusionMatrix matrix{scheme.classes,
                           std::vector<std::int32_t>(static_cast<std::size_t>(scheme.classes * (scheme.classes + 1)))};
    for (const PatternClass& c : classes)
        if (c.expected >= 1 && c.expected <= scheme.classes && c.obtained >= 0 && c.obtained <= scheme.classes)
            ++matrix.counts[matrix.Index(c.expected, c.obtained)];
    return matrix;
}
