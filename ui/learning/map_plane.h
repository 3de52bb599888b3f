// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The decision map's plane as a picture: each cell's value in the colour
// scale, with a fixed grey where the network overflows; or each cell's
// winning class in that class's colour, with the boundaries between classes.

#include "output_map.h"

#include <QColor>
#include <QImage>
#include <QLine>

#include <cstdint>
#include <vector>

// The identity has no fixed range: the values' own, or one unit around a
// single value, or 0..1 when none is finite.
AxisRange ValuesRange(const std::vector<double>& values);

// `values` row by row, `cells` wide and high, the scale spanning `range`.
QImage PlaneImage(const std::vector<double>& values, QSize cells, AxisRange range);

// Class k's colour (1..): light tones, apart from each other, that dark
// lines and the dots read on; class 0, no class, the overflow's grey.
QColor ClassColour(int k);

// `classes` row by row, `cells` wide and high, each in its class's colour.
QImage ClassImage(const std::vector<std::uint8_t>& classes, QSize cells);

// The edges between neighbouring cells of different classes, in cells:
// the edge between columns c - 1 and c of row r runs from (c, r) to
// (c, r + 1); consecutive edges along one line are joined.
std::vector<QLine> ClassBoundaries(const std::vector<std::uint8_t>& classes, QSize cells);
