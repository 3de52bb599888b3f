// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Mapa de decisión": for a network of 2 inputs, the chosen neuron's value
// over the input plane as colours, with their scale: an output neuron's, or
// a hidden neuron's own y_j. The patterns are dots coloured by their expected
// value, each hidden neuron's line s_j = 0 is marked on its positive side,
// and a status line gives the value under the pointer. For 1 input, the
// neuron's curve with the patterns as points. The plane is the patterns'
// range plus a margin (MapAxisRange). A legend above the plane says what the
// dots' colour, the dashed lines and the "+" marks mean.

#include "map_lines.h"
#include "network_snapshot.h"
#include "network_view.h"
#include "output_map.h"

#include <QImage>

#include <vector>

class LearningChoices;
class QComboBox;
class QLabel;
class QSpacerItem;

class DecisionMap : public NetworkView {
    Q_OBJECT

public:
    explicit DecisionMap(const LearningChoices& choices, QWidget* parent = nullptr);

    // Each cell of the map covers this many pixels each way.
    static constexpr int kCellPixels = 2;

    // The axes the map covers now, x the first input, y the second.
    AxisRange RangeX() const { return rangeX_; }
    AxisRange RangeY() const { return rangeY_; }
    // The number of cells across and down the plane at the present size.
    QSize Cells() const;
    // The plane's rectangle in the widget.
    QRect Plane() const;
    // The neuron shown.
    MapNeuron Neuron() const { return neuron_; }
    // The values of the plane's cells as last computed, top row first.
    const std::vector<double>& CellValues() const { return values_; }
    // The line above the map: the value under the pointer.
    QString PointerText() const;
    // What the legend says.
    QString LegendText() const;
    // The hidden neurons' lines as last laid out, and the boxes the dots take.
    const std::vector<MapLine>& Lines() const { return lines_; }
    std::vector<QRectF> DotBoxes() const;
    // The output whose expected values colour the dots: the one shown, or
    // the first for a hidden neuron.
    int DotOutput() const { return neuron_.hidden ? 1 : neuron_.index; }

protected:
    void Recompute(const TRedNeuronal& network, const WorkState& state) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    struct Pattern {
        double x1, x2, expected;
    };
    // Where a value lies on the colour scale, 0..1.
    double ScaleShare(double value) const;
    QPointF ToWidget(double x, double y) const { return Frame().ToWidget(x, y); }
    MapFrame Frame() const;
    // Where the hidden lines and their labels go at the present size.
    void LayOutLines();
    void ShowLegend();
    void RenderPlane();
    void PaintPlane(QPainter& painter) const;
    // Samples the curve, and fits the value axis to it.
    void PaintCurve(QPainter& painter);
    void PaintScale(QPainter& painter) const;
    // A pattern's dot, filled with the colour of its expected value.
    void PaintPattern(QPainter& painter, QPointF at, double expected) const;
    void PaintAxes(QPainter& painter, bool withY) const;
    void PaintHiddenLines(QPainter& painter) const;
    QString NeuronName() const;

    const LearningChoices& choices_;
    NetworkSnapshot snapshot_;
    bool hasNetwork_ = false;
    std::vector<Pattern> patterns_;
    MapNeuron neuron_;
    AxisRange rangeX_, rangeY_;
    AxisRange valueRange_{0, 1};
    std::vector<double> values_;
    QImage plane_;
    bool planeValid_ = false;
    std::vector<MapLine> lines_;
    QComboBox* neuronChooser_;
    QLabel* pointerText_;
    QLabel* legend_;
    QSpacerItem* canvas_;
};
