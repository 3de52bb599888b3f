// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The training step's learning rate η and momentum α. The defaults give the
// classic step: η = 0.35 and no momentum.

#include "network_parameters.h"

struct LearningSettings {
    double LearningRate = kLearningRate;
    double Momentum = 0.0;

    bool operator==(const LearningSettings&) const = default;
};

// The values a file or a field may give: η in (0, 10], α in [0, 1). Written
// so that a NaN, which fails every comparison, is refused too.
constexpr double kLargestLearningRate = 10.0;
constexpr bool ValidLearningRate(double rate) { return rate > 0.0 && rate <= kLargestLearningRate; }
constexpr bool ValidMomentum(double momentum) { return momentum >= 0.0 && momentum < 1.0; }
