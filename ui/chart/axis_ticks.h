// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the error chart's axes put their labels: round values a reader
// takes in at a glance, enough of them over any span. No Qt here.

#include <vector>

// At most `most` (at least 2) multiples of 1, 2 or 5 times a power of ten
// within [lo, hi], as many as fit; for whole iterations, never a step below 1.
std::vector<double> IterationTicks(double lo, double hi, int most);

// The base of a logarithmic axis over [low, high] (0 < low < high): 10 when
// the span holds at least three decades, so every label is a power of ten;
// otherwise the base that puts three steps across it, so a short span still
// carries three or four labels.
double LogAxisBase(double low, double high);
