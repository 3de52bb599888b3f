// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The confusion matrix of a set of patterns: how many patterns of each
// expected class (a row) got each obtained class (a column).

#include "pattern_classes.h"

#include <cstdint>
#include <vector>

struct ConfusionMatrix {
    std::int32_t classes = 0;
    // counts[(expected − 1) · (classes + 1) + obtained]; obtained 0 counts
    // the patterns whose pass overflowed and got no class.
    std::vector<std::int32_t> counts;

    // Patterns expected in class e (1..classes) that got class o (0..classes).
    std::int32_t Count(std::int32_t expected, std::int32_t obtained) const;
    // The largest count, for the shading: 0 for an empty set.
    std::int32_t Largest() const;
    // The place of a pair in `counts`.
    std::size_t Index(std::int32_t expected, std::int32_t obtained) const {
        return static_cast<std::size_t>((expected - 1) * (classes + 1) + obtained);
    }
};

// The matrix of the patterns' classes; a pattern without an expected class is left out.
ConfusionMatrix CountConfusion(const ClassScheme& scheme, const std::vector<PatternClass>& classes);
