// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Red": the network drawn as three layers of neurons, the inputs on the
// left, each layer's bias node (the input -1) above it. A connection's
// colour is its weight's sign, its thickness and strength the weight's
// size against the largest, so small weights fade (a legend says so); each
// node shows its value for the chosen pattern: x for an input, y for a
// neuron, -1 for a bias. Pointing at a connection, clicking it or reaching
// it with the arrow keys shows its weight in full, in the status line and
// in the accessible description; clicking a neuron, or choosing it in the
// list, shows only its connections, which keeps a 32-32-32 network readable.

#include "network_snapshot.h"
#include "network_view.h"

#include <QLineF>
#include <QPointF>

#include <optional>
#include <vector>

class LearningChoices;
class QComboBox;
class QLabel;

class NetworkDiagram : public NetworkView {
    Q_OBJECT

public:
    explicit NetworkDiagram(LearningChoices& choices, QWidget* parent = nullptr);

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

    // The values the nodes show: the chosen pattern's, or the network's last
    // ones when the table has no such pattern.
    struct Values {
        std::vector<double> inputs, hidden, outputs;  // [k − 1], [j − 1]
        int pattern = 0;  // 0: the network's last values
    };
    const Values& NodeValues() const { return values_; }

    std::optional<Connection> Selected() const { return selected_; }
    // The node reached with the arrow keys, if one is.
    std::optional<Node> SelectedNode() const { return selectedNode_; }
    std::optional<Node> Filter() const { return filter_; }
    void SetFilter(std::optional<Node> node);
    // The line under the diagram: the weight pointed at or selected.
    QString WeightText() const;

protected:
    void Recompute(const TRedNeuronal& network, const WorkState& state) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
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
    void PaintLegend(QPainter& painter) const;
    void ReadValues(const TRedNeuronal& network, const WorkState& state);
    // The arrow keys' path: the bias and input nodes, the connections into
    // the hidden layer neuron by neuron, the hidden nodes, the connections
    // into the outputs, the output nodes.
    void Step(int by);
    QString NodeText(Node node) const;
    LearningChoices& choices_;
    NetworkSnapshot snapshot_;
    bool hasNetwork_ = false;
    Values values_;
    std::optional<Connection> selected_;
    std::optional<Node> selectedNode_;
    std::optional<Connection> hovered_;
    std::optional<Node> hoveredNode_;
    std::optional<Node> filter_;
    QComboBox* filterChooser_;
    QComboBox* patternChooser_;
    QLabel* weightText_;
};
