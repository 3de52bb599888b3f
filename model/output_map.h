// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A neuron's value over the input plane (or line), computed from a
// snapshot with the arithmetic of Propagar, so the decision map shows what
// the network itself would answer at each point, and never touches it.

#include "network_snapshot.h"

#include <span>
#include <vector>

// One axis of the map: the values it covers, low to high.
struct AxisRange {
    double low = 0, high = 0;
};

// The axis for these pattern values: their range plus a tenth of it on each
// side, and at least -0.1..1.1 when every value lies within 0..1, so that
// data coded 0/1 or 0.1/0.9 sits inside the picture with the same frame.
// No values give -0.1..1.1; a single value v gives v - 0.5..v + 0.5 at least.
AxisRange MapAxisRange(std::span<const double> values);

// The neuron a map shows: output neuron `index` (1..outputs), or hidden
// neuron `index` (1..hidden), whose output y_j is its own map of the plane.
struct MapNeuron {
    bool hidden = false;
    int index = 1;
};

// The neuron's output for inputs x[0..inputs-1], as Propagar computes it;
// NaN where Propagar would report an overflow on the way to it.
double NeuronValue(const NetworkSnapshot& snapshot, MapNeuron neuron, std::span<const double> x);
inline double OutputValue(const NetworkSnapshot& snapshot, int output, std::span<const double> x) {
    return NeuronValue(snapshot, {false, output}, x);
}

// Every output for inputs x[0..inputs-1], as Propagar computes them, into
// outputs[0..outputs-1]; all NaN where Propagar would report an overflow.
// `hidden` is working room, kept by callers that ask often.
void OutputValues(const NetworkSnapshot& snapshot, std::span<const double> x, std::vector<double>& hidden,
                  std::span<double> outputs);

// The neuron's values for a 2-input network at the centres of a columns ×
// rows grid over x (the first input, left to right) and y (the second,
// bottom to top): values[row * columns + column], row 0 at the top.
void NeuronGrid(const NetworkSnapshot& snapshot, MapNeuron neuron, AxisRange x, AxisRange y, int columns, int rows,
                std::vector<double>& values);
