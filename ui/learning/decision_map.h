// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Mapa de decisión": for a network of 2 inputs, the chosen output neuron's
// value over the input plane as colours, with their scale, the patterns as
// dots coloured by their expected value and each hidden neuron's line s = 0;
// for 1 input, the output curve with the patterns as points. The plane is
// the patterns' range plus a margin (MapAxisRange).

#include "network_snapshot.h"
#include "network_view.h"
#include "output_map.h"

#include <QImage>

#include <vector>

class QComboBox;

class DecisionMap : public NetworkView {
    Q_OBJECT

public:
    explicit DecisionMap(QWidget* parent = nullptr);

    // Each cell of the map covers this many pixels each way.
    static constexpr int kCellPixels = 2;

    // The axes the map covers now, x the first input, y the second.
    AxisRange RangeX() const { return rangeX_; }
    AxisRange RangeY() const { return rangeY_; }
    // The number of cells across and down the plane at the present size.
    QSize Cells() const;
    // The plane's rectangle in the widget.
    QRect Plane() const;
    // The output neuron shown, 1..outputs.
    int Output() const { return output_; }

protected:
    void Recompute(const TRedNeuronal& network, const WorkState& state) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Pattern {
        double x1, x2, expected;
    };
    // Where a value lies on the colour scale, 0..1.
    double ScaleShare(double value) const;
    QPointF ToWidget(double x, double y) const;
    void RenderPlane();
    void PaintPlane(QPainter& painter) const;
    // Samples the curve, and fits the value axis to it.
    void PaintCurve(QPainter& painter);
    void PaintScale(QPainter& painter) const;
    // A pattern's dot, filled with the colour of its expected value.
    void PaintPattern(QPainter& painter, QPointF at, double expected) const;
    void PaintAxes(QPainter& painter, bool withY) const;

    NetworkSnapshot snapshot_;
    std::vector<Pattern> patterns_;
    int output_ = 1;
    AxisRange rangeX_, rangeY_;
    AxisRange valueRange_{0, 1};
    std::vector<double> values_;
    QImage plane_;
    bool planeValid_ = false;
    QComboBox* outputChooser_;
};
