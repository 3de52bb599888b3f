// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The error of a whole pattern set, for "Error por época": the mean over
// its patterns of the squared error ½·Σ(d − y)², the outputs y computed
// from a snapshot, so that measuring never changes the network.

#include "network_snapshot.h"
#include "pattern_set.h"

#include <span>
#include <vector>

// ½·Σ_k (d_k − y_k)² over the outputs in order: each difference squared and
// rounded, the squares summed from 0 in turn, the sum then halved.
double SquaredError(std::span<const double> expected, std::span<const double> outputs);

class SetErrors {
public:
    // The squared errors of patterns 1..count summed in order, divided by
    // count; NaN for an empty set or where a forward pass overflows.
    double MeanSquaredError(const NetworkSnapshot& snapshot, const PatternSet& set);

private:
    std::vector<double> hidden_, outputs_;  // working room, kept between calls
};
