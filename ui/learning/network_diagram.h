// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Red": the network drawn as three layers of neurons, the inputs on the
// left, each layer's bias node (the input -1) above it. A connection's
// colour is its weight's sign, its thickness and strength the weight's
// size against the largest, so small weights fade; each neuron shows its
// last output. Pointing at a connection, or clicking it, shows its weight
// in full; clicking a neuron, or choosing it in the list, shows only its
// connections, which keeps a 32-32-32 network readable.

#include "network_snapshot.h"
#include "network_view.h"

#include <QLineF>
#include <QPointF>

#include <optional>
#include <vector>

class QComboBox;
class QLabel;

class NetworkDiagram : public NetworkView {
    Q_OBJECT

public:
    explicit NetworkDiagram(QWidget* parent = nullptr);

    // A node: layer 0 the inputs, 1 the hidden layer, 2 the outputs; index 0
    // is the bias node of layers 0 and 1, 1.. the neurons (or inputs).
    struct Node {
        int layer = 0;
        int index = 0;
        bool operator==(const Node&) const = default;
    };
    // The weight neuron `neuron` of layer 1 or 2 gives its input `input`
    // (0 the bias, on input -1).
    struct Connection {
        int layer = 1;
        int neuron = 1;
        int input = 0;
        bool operator==(const Connection&) const = default;
    };

    const NetworkSnapshot& Snapshot() const { return snapshot_; }
    double Weight(Connection c) const;
    QPointF NodeCentre(Node node) const;
    QLineF ConnectionLine(Connection c) const;

    std::optional<Connection> Selected() const { return selected_; }
    std::optional<Node> Filter() const { return filter_; }
    void SetFilter(std::optional<Node> node);
    // The line under the diagram: the weight pointed at or selected.
    QString WeightText() const;

protected:
    void Recompute(const TRedNeuronal& network, const WorkState& state) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int NodeCount(int layer) const;
    QRectF Canvas() const;
    double NodeRadius() const;
    bool Shown(Connection c) const;
    std::vector<Connection> Connections() const;
    std::optional<Node> NodeAt(QPointF point) const;
    std::optional<Connection> ConnectionAt(QPointF point) const;
    QString NodeName(Node node) const;
    QString Describe(Connection c) const;
    void FillFilterChooser();
    void ShowText();
    void PaintConnections(QPainter& painter) const;
    void PaintNodes(QPainter& painter) const;

    NetworkSnapshot snapshot_;
    std::optional<Connection> selected_;
    std::optional<Connection> hovered_;
    std::optional<Node> hoveredNode_;
    std::optional<Node> filter_;
    QComboBox* filterChooser_;
    QLabel* weightText_;
};
