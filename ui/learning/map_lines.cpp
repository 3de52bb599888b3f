// SPDX-License-Identifier: GPL-3.0-or-later
#include "map_lines.h"

#include <QFontMetricsF>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace {

// The part of the line through p with direction d that lies in the box, as
// two points; none when it misses the box.
std::optional<std::pair<QPointF, QPointF>> ClipLine(QPointF p, QPointF d, AxisRange x, AxisRange y) {
    double enter = -1e300, leave = 1e300;
    const auto clip = [&](double start, double step, double low, double high) {
        if (step == 0) return start >= low && start <= high;
        double a = (low - start) / step, b = (high - start) / step;
        if (a > b) std::swap(a, b);
        enter = std::max(enter, a);
        leave = std::min(leave, b);
        return enter <= leave;
    };
    if (!clip(p.x(), d.x(), x.low, x.high) || !clip(p.y(), d.y(), y.low, y.high)) return std::nullopt;
    return std::pair{p + enter * d, p + leave * d};
}

}  // namespace

QPointF MapFrame::ToWidget(double a, double b) const {
    return {plane.left() + (a - x.low) / (x.high - x.low) * plane.width(),
            plane.bottom() - (b - y.low) / (y.high - y.low) * plane.height()};
}

QPointF MapFrame::ToPlane(QPointF at) const {
    return {x.low + (at.x() - plane.left()) / plane.width() * (x.high - x.low),
            y.low + (plane.bottom() - at.y()) / plane.height() * (y.high - y.low)};
}

bool SegmentMeetsBox(QLineF segment, const QRectF& box) {
    if (box.contains(segment.p1()) || box.contains(segment.p2())) return true;
    const std::array<QLineF, 4> edges{QLineF(box.topLeft(), box.topRight()), QLineF(box.topRight(), box.bottomRight()),
                                      QLineF(box.bottomRight(), box.bottomLeft()), QLineF(box.bottomLeft(), box.topLeft())};
    return std::any_of(edges.begin(), edges.end(),
                       [&](const QLineF& edge) { return segment.intersects(edge, nullptr) == QLineF::BoundedIntersection; });
}

std::vector<MapLine> LayOutMapLines(const NetworkSnapshot& snapshot, const MapPlane& plane, const MapFrame& frame,
                                    const std::vector<QRectF>& dots, const QFontMetricsF& metrics) {
    std::vector<MapLine> lines;
    const auto across = static_cast<std::size_t>(plane.across), up = static_cast<std::size_t>(plane.up);
    // Each hidden neuron's s = 0: -w0 + Σ wi·xi = 0, that is wa·xa + wb·xb = c
    // on the plane of inputs a and b, c = w0 less the held inputs' terms. Its
    // positive side lies along (wa, wb).
    for (int j = 1; j <= snapshot.hidden; ++j) {
        const auto& w = snapshot.hiddenWeights[static_cast<std::size_t>(j - 1)];
        if (w.size() <= std::max(across, up) || (w[across] == 0 && w[up] == 0)) continue;
        double c = w[0];
        for (std::size_t i = 1; i < w.size(); ++i)
            if (i != across && i != up) c -= w[i] * (i <= plane.held.size() ? plane.held[i - 1] : 0.0);
        const double wa = w[across], wb = w[up];
        const double norm = wa * wa + wb * wb;
        const QPointF foot(c * wa / norm, c * wb / norm);
        const auto segment = ClipLine(foot, QPointF(-wb, wa), frame.x, frame.y);
        if (!segment) continue;
        MapLine line;
        line.neuron = j;
        line.line = QLineF(frame.ToWidget(segment->first.x(), segment->first.y()),
                           frame.ToWidget(segment->second.x(), segment->second.y()));
        const QPointF middle = line.line.center();
        const QPointF inPlane = (segment->first + segment->second) / 2;
        QPointF toward = frame.ToWidget(inPlane.x() + wa, inPlane.y() + wb) - middle;
        const double length = std::hypot(toward.x(), toward.y());
        if (length > 0) toward /= length;
        line.arrow = QLineF(middle, middle + 10 * toward);
        line.plus = QRectF(middle + 17 * toward - QPointF(6, 7), QSizeF(12, 14));
        lines.push_back(line);
    }
    // Labels last, each in the first clear place along its line, on either side.
    std::vector<QRectF> taken = dots;
    for (const MapLine& line : lines) taken.push_back(line.plus);
    for (MapLine& line : lines) {
        const QSizeF size(metrics.horizontalAdvance(QStringLiteral("s%1 = 0").arg(line.neuron)) + 2, metrics.height());
        const QPointF along = line.line.length() > 0 ? (line.line.p2() - line.line.p1()) / line.line.length() : QPointF(1, 0);
        const QPointF across(-along.y(), along.x());
        const auto clear = [&](const QRectF& box) {
            if (!frame.plane.adjusted(2, 2, -2, -2).contains(box)) return false;
            if (std::any_of(taken.begin(), taken.end(), [&](const QRectF& other) { return other.intersects(box); }))
                return false;
            for (const MapLine& other : lines)
                if (SegmentMeetsBox(other.line, box) || SegmentMeetsBox(other.arrow, box)) return false;
            return true;
        };
        for (double t : {0.12, 0.88, 0.3, 0.7, 0.05, 0.95, 0.2, 0.8, 0.4, 0.6}) {
            for (double side : {1.0, -1.0}) {
                const QPointF at = line.line.pointAt(t);
                // Far enough beside the line that the box, however it leans, stays off it.
                const double reach = 3 + 0.5 * (std::abs(across.x()) * size.width() + std::abs(across.y()) * size.height());
                QRectF box(QPointF(), size);
                box.moveCenter(at + side * reach * across);
                if (clear(box)) {
                    line.label = box;
                    break;
                }
            }
            if (line.label) break;
        }
        if (line.label) taken.push_back(*line.label);
    }
    return lines;
}
