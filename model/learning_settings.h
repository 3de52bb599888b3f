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
