// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the decision map draws each hidden neuron's line s_j = 0, apart from
// the painting: the part of it inside the plane, a short arrow and a "+"
// toward the side where s_j > 0, and a place for its label "s_j = 0" that
// covers no pattern's dot, no line, no arrow and no other label.

#include "network_snapshot.h"
#include "output_map.h"

#include <QLineF>
#include <QRectF>

#include <optional>
#include <vector>

class QFontMetricsF;

// The input plane as the map shows it: the rectangle in the widget and the
// ranges it covers, x the input across (left to right), y the one up.
struct MapFrame {
    QRectF plane;
    AxisRange x, y;
    QPointF ToWidget(double a, double b) const;
    // The point of the input plane at a widget position.
    QPointF ToPlane(QPointF at) const;
};

struct MapLine {
    int neuron = 1;  // j
    QLineF line;     // in the widget, clipped to the plane
    QLineF arrow;    // from the line's middle toward s_j > 0
    QRectF plus;     // the "+" at the arrow's tip
    std::optional<QRectF> label;  // none where no clear place is found
};

// The lines of the hidden neurons whose s_j = 0 crosses the plane, the
// inputs off its axes at their held values; `dots` are the boxes the
// patterns' dots take.
std::vector<MapLine> LayOutMapLines(const NetworkSnapshot& snapshot, const MapPlane& plane, const MapFrame& frame,
                                    const std::vector<QRectF>& dots, const QFontMetricsF& metrics);

// Whether the segment crosses or touches the box.
bool SegmentMeetsBox(QLineF segment, const QRectF& box);
