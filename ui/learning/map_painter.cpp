// SPDX-License-Identifier: GPL-3.0-or-later
#include "map_painter.h"

#include "number_texts.h"
#include "value_colours.h"

#include <QLinearGradient>
#include <QPainter>

#include <cmath>

namespace {

constexpr int kScaleWidth = 14;
// The plane's colours are light: dark lines and labels read on every one.
const QColor kInk(40, 40, 40);

QString Tick(double value) {
    return GeneralNumberText(std::abs(value) < 1e-12 ? 0.0 : value, 3, 2);
}

}  // namespace

void PaintMapAxes(QPainter& painter, QRect plane, AxisRange x, AxisRange y, const QString& xTitle,
                  const QString& yTitle, QColor ink) {
    const MapFrame frame{plane, x, y};
    QFont font = painter.font();
    font.setPixelSize(10);
    painter.setFont(font);
    painter.setPen(ink);
    // Fewer ticks where the plane is too small for five labels side by side.
    const int stepsX = plane.width() >= 5 * 64 ? 4 : 2, stepsY = plane.height() >= 5 * 20 ? 4 : 2;
    for (int i = 0; i <= stepsX; ++i) {
        const double at = x.low + (x.high - x.low) * i / stepsX;
        const double px = frame.ToWidget(at, y.low).x();
        painter.drawLine(QPointF(px, plane.bottom() + 1), QPointF(px, plane.bottom() + 4));
        painter.drawText(QRectF(px - 30, plane.bottom() + 4, 60, 14), Qt::AlignCenter, Tick(at));
    }
    for (int i = 0; i <= stepsY; ++i) {
        const double at = y.low + (y.high - y.low) * i / stepsY;
        const double py = frame.ToWidget(x.low, at).y();
        painter.drawLine(QPointF(plane.left() - 4, py), QPointF(plane.left(), py));
        painter.drawText(QRectF(0, py - 7, plane.left() - 6, 14), Qt::AlignRight | Qt::AlignVCenter, Tick(at));
    }
    painter.drawText(QRectF(plane.left(), plane.bottom() + 18, plane.width(), 14), Qt::AlignCenter, xTitle);
    painter.drawText(QRectF(6, plane.top() - 18, plane.width(), 14), Qt::AlignLeft | Qt::AlignVCenter, yTitle);
}

void PaintValueScale(QPainter& painter, QRect plane, AxisRange values, QColor ink) {
    const QRect bar(plane.right() + 16, plane.top(), kScaleWidth, plane.height());
    QLinearGradient gradient(bar.bottomLeft(), bar.topLeft());
    for (double t : {0.0, 0.5, 1.0}) gradient.setColorAt(t, ScaleColour(t));
    painter.setPen(QPen(ink, 1));
    painter.setBrush(gradient);
    painter.drawRect(bar);
    painter.setBrush(Qt::NoBrush);
    for (double t : {0.0, 0.5, 1.0}) {
        const double y = bar.bottom() - t * bar.height();
        const double value = values.low + t * (values.high - values.low);
        painter.drawLine(QPointF(bar.right(), y), QPointF(bar.right() + 4, y));
        painter.drawText(QRectF(bar.right() + 6, y - 7, 60, 14), Qt::AlignLeft | Qt::AlignVCenter, Tick(value));
    }
}

void PaintHiddenLines(QPainter& painter, QRect plane, const std::vector<MapLine>& lines, int shown) {
    painter.save();
    painter.setClipRect(plane);
    QFont font = painter.font();
    font.setPixelSize(10);
    painter.setFont(font);
    for (const MapLine& line : lines) {
        painter.setPen(QPen(kInk, shown == line.neuron ? 2.4 : 1.2, Qt::DashLine));
        painter.drawLine(line.line);
        painter.setPen(QPen(kInk, 1.5));
        painter.drawLine(line.arrow);
        painter.drawText(line.plus, Qt::AlignCenter, QStringLiteral("+"));
        if (line.label) painter.drawText(*line.label, Qt::AlignCenter, QStringLiteral("s%1 = 0").arg(line.neuron));
    }
    painter.restore();
}

void PaintClassBoundaries(QPainter& painter, QRect plane, const std::vector<QLine>& edges, int cellPixels) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(kInk, 1));
    for (const QLine& edge : edges)
        painter.drawLine(plane.topLeft() + edge.p1() * cellPixels, plane.topLeft() + edge.p2() * cellPixels);
    painter.restore();
}

void PaintDot(QPainter& painter, QPointF at, QColor fill, double strength) {
    painter.save();
    painter.setOpacity(strength);
    // A white ring keeps a dot visible on a cell of its own colour.
    painter.setPen(QPen(Qt::white, 4));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(at, kDotRadius, kDotRadius);
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(fill);
    painter.drawEllipse(at, kDotRadius, kDotRadius);
    painter.restore();
}
