// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Mapa de decisión": for a network of 2 or more inputs, the chosen neuron's
// value over the plane of two inputs as colours, with their scale: an
// output neuron's, or a hidden neuron's own y_j. With more than 2 inputs the
// learner picks the inputs on the axes and holds the others (MapSettings);
// the dots fade the farther a pattern lies from the held values. With 2 or
// more outputs, "Clase ganadora" colours each cell by its winning output
// instead, with the boundaries between classes. The patterns are dots
// coloured by their expected value (or class), each hidden neuron's line
// s_j = 0 is marked on its positive side, and a status line gives the value
// under the pointer. For 1 input, the neuron's curve with the patterns as
// points. Each axis covers its input's patterns plus a margin
// (MapAxisRange). A legend above the plane says what the colours mean.

#include "map_lines.h"
#include "map_source.h"
#include "network_snapshot.h"
#include "network_view.h"
#include "output_map.h"

#include <QColor>
#include <QImage>

#include <cstdint>
#include <utility>
#include <vector>

class LearningChoices;
class MapSettings;
class QCheckBox;
class QComboBox;
class QLabel;
class QSpacerItem;

class DecisionMap : public NetworkView {
    Q_OBJECT

public:
    explicit DecisionMap(const LearningChoices& choices, QWidget* parent = nullptr);

    // Each cell of the map covers this many pixels each way.
    static constexpr int kCellPixels = 2;

    // The axes the map covers now, x the input across, y the one up.
    AxisRange RangeX() const { return rangeX_; }
    AxisRange RangeY() const { return rangeY_; }
    // The number of cells across and down the plane at the present size.
    QSize Cells() const;
    // The plane's rectangle in the widget.
    QRect Plane() const;
    // The inputs on the axes and the held values.
    const MapPlane& InputPlane() const { return plane_; }
    // The neuron shown.
    MapNeuron Neuron() const { return neuron_; }
    // Whether each cell shows its winning class ("Clase ganadora").
    bool ShowsClasses() const;
    // The values of the plane's cells as last computed, top row first.
    const std::vector<double>& CellValues() const { return values_; }
    // The winning class of each cell, as last computed in class mode.
    const std::vector<std::uint8_t>& CellClasses() const { return classes_; }
    // The classes' names and colours the legend gives, class 1 first.
    const std::vector<std::pair<QString, QColor>>& ClassKey() const { return classKey_; }
    // The line above the map: the value under the pointer.
    QString PointerText() const;
    // What the legend says.
    QString LegendText() const;
    // The hidden neurons' lines as last laid out, and the boxes the dots take.
    const std::vector<MapLine>& Lines() const { return lines_; }
    std::vector<QRectF> DotBoxes() const;
    // Each pattern's dot strength (DotStrength), pattern 1 first.
    std::vector<double> DotStrengths() const {
        std::vector<double> strengths;
        for (const Pattern& p : source_.patterns) strengths.push_back(p.strength);
        return strengths;
    }
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
    using Pattern = MapPattern;
    // Where a value lies on the colour scale, 0..1.
    double ScaleShare(double value) const;
    QPointF ToWidget(double x, double y) const { return Frame().ToWidget(x, y); }
    QPointF DotAt(const Pattern& p) const;
    MapFrame Frame() const;
    // The axes, the dots' strengths, the lines: after a new plane or size.
    void PlacePlane();
    void LayOutLines();
    void ShowLegend();
    void RenderPlane();
    void PaintPlane(QPainter& painter) const;
    // Samples the curve, and fits the value axis to it.
    void PaintCurve(QPainter& painter);
    QColor DotColour(const Pattern& p) const;
    QString NeuronName() const;

    const LearningChoices& choices_;
    NetworkSnapshot snapshot_;
    bool hasNetwork_ = false;
    MapSource source_;
    MapNeuron neuron_;
    MapPlane plane_;
    AxisRange rangeX_, rangeY_;
    AxisRange valueRange_{0, 1};
    std::vector<double> values_;
    std::vector<std::uint8_t> classes_;
    std::vector<std::pair<QString, QColor>> classKey_;
    QImage picture_;
    std::vector<QLine> boundaries_;
    bool planeValid_ = false;
    std::vector<MapLine> lines_;
    QRect linesPlane_;  // the plane the lines were laid out in
    QComboBox* neuronChooser_;
    QCheckBox* classOption_;
    MapSettings* settings_;
    QLabel* pointerText_;
    QLabel* legend_;
    QSpacerItem* canvas_;
};
