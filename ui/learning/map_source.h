// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the decision map reads from the patterns: the inputs' and outputs'
// names, each pattern's inputs and expected outputs, and the range each
// input's axis or slider covers.

#include "output_map.h"

#include <QString>

#include <vector>

struct WorkState;

struct MapPattern {
    std::vector<double> x, d;  // x[i - 1] input i, d[k - 1] output k
    double strength = 1;       // how strongly its dot is drawn (DotStrength)
};

struct MapSource {
    std::vector<QString> inputNames, outputNames;
    // The short name of each input in the pointer's line: its own name, or
    // "Entrada<i>" while it has the default.
    std::vector<QString> pointerNames;
    std::vector<MapPattern> patterns;
    std::vector<AxisRange> inputRanges;  // MapAxisRange of each input's values
};

MapSource ReadMapSource(const WorkState& state, int inputs, int outputs);
