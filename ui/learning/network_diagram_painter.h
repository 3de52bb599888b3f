// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How "Red" is painted from its layout: the connections, coloured by their
// weight's sign and as thick and strong as the weight's size against the
// largest; the nodes, each neuron filled with the colour of its y and named
// (x1…, h1…, o1…); and the legend that says so.

#include "network_diagram_layout.h"

#include <QPalette>

#include <optional>
#include <vector>

class QPainter;

// The values the nodes show: the chosen pattern's, or the network's last
// ones when the table has no such pattern.
struct DiagramValues {
    std::vector<double> inputs, hidden, outputs;  // [k − 1], [j − 1]
    int pattern = 0;  // 0: the network's last values
};

struct DiagramScene {
    const DiagramLayout& layout;
    const NetworkSnapshot& snapshot;
    const DiagramValues& values;
    std::optional<DiagramNode> filter, selectedNode;
    std::optional<DiagramConnection> selected, hovered;
    QPalette palette;
    int decimals = 4;
};

// Whether a connection is drawn under the filter: all without one, else
// those that touch the filtered node.
bool ConnectionShown(const std::optional<DiagramNode>& filter, DiagramConnection c);

// The ends of the fill's scale: the function's range, or for the identity
// ± the largest |y| shown.
struct FillScale {
    double low = 0, high = 1;
};
FillScale NeuronFillScale(TFuncionTransferencia function, const DiagramValues& values);

// The short name a node carries: "x1", "h2", "o1", "−1" for a bias node.
QString NodeShortName(DiagramNode node);

void PaintConnections(QPainter& painter, const DiagramScene& scene);
void PaintNodes(QPainter& painter, const DiagramScene& scene, FillScale fill);
void PaintLegend(QPainter& painter, const DiagramLegend& legend);
