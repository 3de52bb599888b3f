// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Red": the network drawn as three layers of neurons, the inputs on the
// left, each layer's bias node (the input -1) above it. A connection's
// colour is its weight's sign, its thickness and strength the weight's
// size against the largest, so small weights fade; each neuron is filled
// with the colour of its y for the chosen pattern and named x1…, h1…, o1…;
// a legend says all of this. Pointing at a connection, clicking it or
// reaching it with the arrow keys shows its weight in full, in the status
// line and in the accessible description; clicking a neuron, or choosing it
// in the list, shows only its connections, which keeps a 32-32-32 network
// readable.

#include "network_diagram_layout.h"
#include "network_diagram_painter.h"
#include "network_snapshot.h"
#include "network_view.h"

#include <optional>
#include <vector>

class LearningChoices;
class QComboBox;
class QLabel;
class QSpacerItem;

class NetworkDiagram : public NetworkView {
    Q_OBJECT

public:
    explicit NetworkDiagram(LearningChoices& choices, QWidget* parent = nullptr);

    using Node = DiagramNode;
    using Connection = DiagramConnection;
    using Values = DiagramValues;

    const NetworkSnapshot& Snapshot() const { return snapshot_; }
    double Weight(Connection c) const { return ConnectionWeight(snapshot_, c); }
    QPointF NodeCentre(Node node) const { return layout_.NodeCentre(node); }
    QLineF ConnectionLine(Connection c) const { return layout_.ConnectionLine(c); }
    const Values& NodeValues() const { return values_; }
    // The legend as laid out at the present size.
    const DiagramLegend& Legend() const { return legend_; }

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
    // A node's tooltip: its short name beside its full one ("x1: Entrada 1").
    bool event(QEvent* event) override;

private:
    // The legend and the canvas share the room the layout leaves between the
    // choosers and the status line.
    void LayOut();
    bool Shown(Connection c) const { return ConnectionShown(filter_, c); }
    QString NodeName(Node node) const;
    QString Describe(Connection c) const;
    void FillFilterChooser();
    void ShowText();
    void ReadValues(const TRedNeuronal& network, const WorkState& state);
    // The arrow keys' path: the bias and input nodes, the connections into
    // the hidden layer neuron by neuron, the hidden nodes, the connections
    // into the outputs, the output nodes.
    void Step(int by);
    QString NodeText(Node node) const;

    LearningChoices& choices_;
    NetworkSnapshot snapshot_;
    // The inputs' and outputs' names, [i − 1].
    QStringList inputNames_, outputNames_;
    bool hasNetwork_ = false;
    Values values_;
    DiagramLayout layout_;
    DiagramLegend legend_;
    std::optional<Connection> selected_;
    std::optional<Node> selectedNode_;
    std::optional<Connection> hovered_;
    std::optional<Node> hoveredNode_;
    std::optional<Node> filter_;
    QComboBox* filterChooser_;
    QComboBox* patternChooser_;
    QLabel* weightText_;
    QSpacerItem* canvas_;
};
