// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "network_parameters.h"
#include <vector>
class TRedNeuronal;
// A copy of a network's shape, weights and last outputs, for views that must never change the network.
struct NetworkSnapshot {
    int inputs = 0, hidden = 0, outputs = 0;
    TFuncionTransferencia function = ftSigmoide;
    // hiddenWeights[j - 1][k]: hidden neuron j (1..hidden), k = 0 the bias weight (on input -1), k = 1..inputs.
    std::vector<std::vector<double>> hiddenWeights;
    // outputWeights[j - 1][k]: output neuron j (1..outputs), k = 0 the bias weight, k = 1..hidden.
    std::vector<std::vector<double>> outputWeights;
    std::vector<double> hiddenOutputs;  // each hidden neuron's last output, [j - 1]
    std::vector<double> outputValues;   // each output neuron's last output, [j - 1]
};
NetworkSnapshot TakeSnapshot(const TRedNeuronal& network);
