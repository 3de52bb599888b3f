// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs the registered benchmarks with repetitions and, after them, prints one
// line per ratio: "ratio <label>: X", X being the median CPU time per iteration
// of the numerator benchmark over that of the denominator, both measured in
// this same run.

#include <string>
#include <vector>

struct BenchRatio {
    std::string label;        // e.g. "EntrenarPatron/fann_train 2-2-1"
    std::string numerator;    // benchmark name as registered, with its arguments
    std::string denominator;
};

int RunBenchmarksAndPrintRatios(int argc, char** argv, const std::vector<BenchRatio>& ratios);
