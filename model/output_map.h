// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A neuron's value, or the winning output, over a plane of two of the inputs
// (or over the line of the one input), computed from a snapshot with the
// arithmetic of Propagar, so the decision map shows what the network itself
// would answer at each point, and never touches it.

#include "network_snapshot.h"

#include <cstdint>
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

// Every output's value for inputs x[0..inputs-1], y[k - 1] for output k, the
// hidden layer computed once; each as OutputValue gives it.
void OutputValues(const NetworkSnapshot& snapshot, std::span<const double> x, std::span<double> y);

// The output with the largest value, 1..y.size(); on a tie the lower index
// wins (so -0 and +0 tie); 0, no output, when any value is NaN, which is
// where Propagar would have reported an overflow.
int WinningOutput(std::span<const double> y);

// The plane a map of a network with two or more inputs shows: input
// `across` (1..inputs) runs left to right, input `up` bottom to top, and
// every other input i stays at held[i - 1] (0 where `held` is shorter).
struct MapPlane {
    int across = 1, up = 2;
    std::vector<double> held;
};

// The neuron's values at the centres of a columns × rows grid over the
// plane, x the range of `across` and y that of `up`:
// values[row * columns + column], row 0 at the top. A plane the network has
// not (an axis past its inputs, or both axes on one input) gives NaN cells.
void NeuronGrid(const NetworkSnapshot& snapshot, MapNeuron neuron, const MapPlane& plane, AxisRange x, AxisRange y,
                int columns, int rows, std::vector<double>& values);
// The same for a 2-input network, the first input across and the second up.

// Every output for inputs x[0..inputs-1], as Propagar computes them, into
// outputs[0..outputs-1]; all NaN where Propagar would report an overflow.
// `hidden` is working room, kept by callers that ask often.
void OutputValues(const NetworkSnapshot& snapshot, std::span<const double> x, std::vector<double>& hidden,
                  std::span<double> outputs);
void NeuronGrid(const NetworkSnapshot& snapshot, MapNeuron neuron, AxisRange x, AxisRange y, int columns, int rows,
                std::vector<double>& values);

// The winning class of each cell of the same grid: WinningOutput of the
// cell's outputs, all computed from one pass through the hidden layer; 0
// in every cell of a plane the network has not.
void ClassGrid(const NetworkSnapshot& snapshot, const MapPlane& plane, AxisRange x, AxisRange y, int columns,
               int rows, std::vector<std::uint8_t>& classes);

// How strongly a pattern's dot is drawn on the plane, 1 at the held values
// down to kFaintestDot: each input off the axes counts its distance from the
// held value as a share of its range's width (ranges[i - 1] for input i),
// and the dot fades with the root of the sum of their squares, linearly to
// the faintest at half a width. A pattern of a 2-input network is always 1.
constexpr double kFaintestDot = 0.15;
double DotStrength(const MapPlane& plane, std::span<const double> pattern, std::span<const AxisRange> ranges);
