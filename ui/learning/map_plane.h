// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The decision map's plane as a picture: each cell's value in the colour
// scale, with a fixed grey where the network overflows.

#include "output_map.h"

#include <QImage>

#include <vector>

// The identity has no fixed range: the values' own, or one unit around a
// single value, or 0..1 when none is finite.
AxisRange ValuesRange(const std::vector<double>& values);

// `values` row by row, `cells` wide and high, the scale spanning `range`.
QImage PlaneImage(const std::vector<double>& values, QSize cells, AxisRange range);
