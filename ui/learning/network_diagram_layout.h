// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where "Red" puts everything, apart from how it is painted: the nodes and
// connections of a network's shape within a canvas, what lies under a point,
// and the legend's entries laid out in rows across the view's width.

#include "network_snapshot.h"

#include <QColor>
#include <QLineF>
#include <QRectF>
#include <QString>

#include <optional>
#include <vector>

class QFontMetricsF;

// A node: layer 0 the inputs, 1 the hidden layer, 2 the outputs; index 0 is
// the bias node of layers 0 and 1, 1.. the neurons (or inputs).
struct DiagramNode {
    int layer = 0;
    int index = 0;
    bool operator==(const DiagramNode&) const = default;
};

// The weight neuron `neuron` of layer 1 or 2 gives its input `input` (0 the
// bias, on input -1).
struct DiagramConnection {
    int layer = 1;
    int neuron = 1;
    int input = 0;
    bool operator==(const DiagramConnection&) const = default;
};

double ConnectionWeight(const NetworkSnapshot& snapshot, DiagramConnection c);

class DiagramLayout {
public:
    void SetShape(int inputs, int hidden, int outputs);
    void SetCanvas(QRectF canvas) { canvas_ = canvas; }
    QRectF Canvas() const { return canvas_; }

    // Nodes in layer 0 and 1 count their bias node.
    int NodeCount(int layer) const;
    // Every node, layer by layer, the bias node first.
    std::vector<DiagramNode> Nodes() const;
    // Every connection, into the hidden layer neuron by neuron, then into the outputs.
    std::vector<DiagramConnection> Connections() const;
    QPointF NodeCentre(DiagramNode node) const;
    double NodeRadius() const;
    QLineF ConnectionLine(DiagramConnection c) const;
    std::optional<DiagramNode> NodeAt(QPointF point) const;
    // The nearest connection within reach of `point` among those `shown` lets through.
    template <class Shown>
    std::optional<DiagramConnection> ConnectionAt(QPointF point, Shown shown) const {
        std::optional<DiagramConnection> nearest;
        double best = kHitDistance;
        for (const DiagramConnection& c : Connections())
            if (shown(c))
                if (const double distance = DistanceTo(point, ConnectionLine(c)); distance <= best) {
                    best = distance;
                    nearest = c;
                }
        return nearest;
    }

private:
    static constexpr double kHitDistance = 4.0;
    static double DistanceTo(QPointF point, QLineF line);

    int inputs_ = 0, hidden_ = 0, outputs_ = 0;
    QRectF canvas_;
};

// One piece of the legend: words, a sample line in a colour and thickness,
// or the fill scale from its low end (left) to its high end (right).
struct LegendEntry {
    enum class Kind : std::uint8_t { Words, Line, Scale };
    Kind kind = Kind::Words;
    QString text;
    QRectF box;
    QColor colour;
    double thickness = 0;
};

// The legend for a network whose neurons' y span `low`..`high`, laid out in
// rows from the top left of `area`, each row as high as a line of text;
// `height` is the room it takes.
struct DiagramLegend {
    std::vector<LegendEntry> entries;
    double height = 0;
};
DiagramLegend LayOutLegend(const QFontMetricsF& metrics, QRectF area, const QColor& text, const QString& low,
                           const QString& high);
