// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "learning_settings.h"
#include "network_parameters.h"
#include <vector>
class TRedNeuronal;
// A copy of a network's shape, weights and last outputs, for views that must never change the network.
struct NetworkSnapshot {
    int inputs = 0, hidden = 0, outputs = 0;
    TFuncionTransferencia function = ftSigmoide;
    LearningSettings learning;  // η and α of the network's step
    // hiddenWeights[j - 1][k]: hidden neuron j (1..hidden), k = 0 the bias weight (on input -1), k = 1..inputs.
    std::vector<std::vector<double>> hiddenWeights;
    // outputWeights[j - 1][k]: output neuron j (1..outputs), k = 0 the bias weight, k = 1..hidden.
    std::vector<std::vector<double>> outputWeights;
    // Each weight's change in the network's last step with momentum, laid out as the weights.
    std::vector<std::vector<double>> hiddenPreviousChanges, outputPreviousChanges;
    std::vector<double> hiddenOutputs;  // each hidden neuron's last output, [j - 1]
    std::vector<double> outputValues;   // each output neuron's last output, [j - 1]
};
NetworkSnapshot TakeSnapshot(const TRedNeuronal& network);
// The same into `snapshot`, reusing its storage: taken again and again
// during a run, it allocates nothing once the shape has been seen.
void TakeSnapshot(const TRedNeuronal& network, NetworkSnapshot& snapshot);
// Puts the snapshot's weights back into the network it was taken from (same
// shape) and forgets the network's previous changes, as a load does.
void RestoreWeights(const NetworkSnapshot& snapshot, TRedNeuronal& network);
