// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the decision map paints around and over its plane: the axes with
// their ticks and titles, the value scale, the hidden neurons' lines, the
// boundaries between classes and the patterns' dots.

#include "map_lines.h"
#include "output_map.h"

#include <QColor>
#include <QLine>
#include <QRect>
#include <QString>

#include <vector>

class QPainter;

// A dot's radius, without its white ring.
constexpr double kDotRadius = 6.5;

void PaintMapAxes(QPainter& painter, QRect plane, AxisRange x, AxisRange y, const QString& xTitle,
                  const QString& yTitle, QColor ink);
// The colour scale right of the plane, low values at the bottom.
void PaintValueScale(QPainter& painter, QRect plane, AxisRange values, QColor ink);
// `shown` is the hidden neuron on the map, whose line is drawn bolder; 0 for none.
void PaintHiddenLines(QPainter& painter, QRect plane, const std::vector<MapLine>& lines, int shown);
// `edges` in cells, each cell `cellPixels` wide and high.
void PaintClassBoundaries(QPainter& painter, QRect plane, const std::vector<QLine>& edges, int cellPixels);
// A pattern's dot in `fill`, `strength` its opacity (DotStrength).
void PaintDot(QPainter& painter, QPointF at, QColor fill, double strength);
