// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Storage of one layer's neurons, laid out layer-wide: row k holds value k
// (weight, input or previous change) of all 32 neurons side by side. The
// forward pass and the training step then run across the neurons of a row,
// which the compiler vectorises while each neuron keeps its own order of
// operations.

#include <cstddef>

constexpr int kMaxNeurons = 32;
constexpr int kMaxInputs = 32;

struct LayerStorage {
    alignas(64) double weights[kMaxInputs + 1][kMaxNeurons] = {};
    alignas(64) double inputs[kMaxInputs + 1][kMaxNeurons] = {};
    alignas(64) double outputs[kMaxNeurons] = {};
    // Each weight's change Δw′ in the last step taken with momentum, for the
    // next one; all 0 after the weights are initialised or put back.
    alignas(64) double previousChanges[kMaxInputs + 1][kMaxNeurons] = {};
};

// One neuron's column of a row-per-index table: element k is row k.
class StorageColumn {
public:
    explicit StorageColumn(double* firstOne) : first_(firstOne) {}
    double& operator[](std::size_t k) { return first_[k * kMaxNeurons]; }
    const double& operator[](std::size_t k) const { return first_[k * kMaxNeurons]; }

private:
    double* first_;
};
