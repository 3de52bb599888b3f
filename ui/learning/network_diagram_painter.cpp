// SPDX-License-Identifier: GPL-3.0-or-later
#include "network_diagram_painter.h"

#include "value_colours.h"
#include "value_text.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Text that reads on a fill: dark on light colours, white on dark ones.
QColor InkOn(const QColor& fill) { return fill.lightnessF() > 0.55 ? QColor(20, 20, 20) : QColor(Qt::white); }

}  // namespace

bool ConnectionShown(const std::optional<DiagramNode>& filter, DiagramConnection c) {
    return !filter || *filter == DiagramNode{c.layer - 1, c.input} || *filter == DiagramNode{c.layer, c.neuron};
}

FillScale NeuronFillScale(TFuncionTransferencia function, const DiagramValues& values) {
    if (function == ftSigmoide) return {0, 1};
    if (function == ftTangenteHiperbolica) return {-1, 1};
    double largest = 0;
    for (const auto* layer : {&values.hidden, &values.outputs})
        for (double y : *layer)
            if (std::isfinite(y)) largest = std::max(largest, std::abs(y));
    return largest > 0 ? FillScale{-largest, largest} : FillScale{-1, 1};
}

QString NodeShortName(DiagramNode node) {
    if (node.index == 0) return QStringLiteral("−1");
    return QStringLiteral("%1%2").arg(node.layer == 0 ? 'x' : node.layer == 1 ? 'h' : 'o').arg(node.index);
}

void PaintConnections(QPainter& painter, const DiagramScene& scene) {
    std::vector<DiagramConnection> shown;
    double largest = 0;
    const auto weight = [&](DiagramConnection c) { return ConnectionWeight(scene.snapshot, c); };
    for (const DiagramConnection& c : scene.layout.Connections()) {
        const double w = std::abs(weight(c));
        if (std::isfinite(w)) largest = std::max(largest, w);
        if (ConnectionShown(scene.filter, c)) shown.push_back(c);
    }
    if (largest == 0) largest = 1;
    // The strongest last, on top of the faint ones.
    std::stable_sort(shown.begin(), shown.end(),
                     [&](DiagramConnection a, DiagramConnection b) { return std::abs(weight(a)) < std::abs(weight(b)); });
    // Many lines at once are thinner, and the weaker ones fade faster, so
    // that the strong ones stand out in a large network.
    const bool crowded = shown.size() > 50;
    const double widest = crowded ? std::max(1.5, 5.0 * std::sqrt(50.0 / static_cast<double>(shown.size()))) : 5.0;
    for (const DiagramConnection& c : shown) {
        const double w = weight(c);
        const double share = std::isfinite(w) ? std::abs(w) / largest : 1.0;
        QColor colour = w < 0 ? kNegativeColour : kPositiveColour;
        colour.setAlphaF(scene.filter ? 1.0 : crowded ? 0.04 + 0.96 * share * share : 0.08 + 0.92 * share);
        const QLineF line = scene.layout.ConnectionLine(c);
        const double thickness = 0.4 + (widest - 0.4) * share;
        if (scene.selected == c || scene.hovered == c) {
            painter.setPen(QPen(scene.palette.color(scene.selected == c ? QPalette::Text : QPalette::Mid), thickness + 3,
                                Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(line);
        }
        painter.setPen(QPen(colour, thickness, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(line);
    }
}

void PaintNodes(QPainter& painter, const DiagramScene& scene, FillScale fill) {
    const double r = scene.layout.NodeRadius();
    const bool withTexts = r >= 7;
    QFont font = painter.font();
    font.setPixelSize(std::clamp(static_cast<int>(r * 0.9), 8, 11));
    painter.setFont(font);
    const QColor text = scene.palette.color(QPalette::Text);
    const double span = fill.high - fill.low;
    for (const DiagramNode& node : scene.layout.Nodes()) {
        const QPointF centre = scene.layout.NodeCentre(node);
        const QRectF box(centre.x() - r, centre.y() - r, 2 * r, 2 * r);
        const bool chosen = scene.filter == node || scene.selectedNode == node;
        painter.setPen(QPen(chosen ? text : scene.palette.color(QPalette::Mid), chosen ? 2.5 : 1));
        if (node.index == 0) {
            painter.setBrush(scene.palette.color(QPalette::Button));
            painter.drawRect(box);
            painter.setPen(scene.palette.color(QPalette::ButtonText));
            if (withTexts) painter.drawText(box, Qt::AlignCenter, NodeShortName(node));
            continue;
        }
        if (node.layer == 0) {
            painter.setBrush(scene.palette.color(QPalette::Button));
            painter.drawEllipse(box);
            if (withTexts) {
                painter.setPen(text);
                painter.drawText(QRectF(0, box.top(), box.left() - 4, box.height()), Qt::AlignRight | Qt::AlignVCenter,
                                 QStringLiteral("x%1 = %2").arg(node.index).arg(RoundedText(
                                     scene.values.inputs[static_cast<std::size_t>(node.index - 1)], scene.decimals)));
            }
            continue;
        }
        const auto& outputs = node.layer == 1 ? scene.values.hidden : scene.values.outputs;
        const double y = outputs[static_cast<std::size_t>(node.index - 1)];
        const QColor colour = ScaleColour(span > 0 ? (y - fill.low) / span : 0.5);
        painter.setBrush(colour);
        painter.drawEllipse(box);
        if (!withTexts) continue;
        painter.setPen(InkOn(colour));
        painter.drawText(box, Qt::AlignCenter, NodeShortName(node));
        // The hidden layer's values sit above right, clear of the lines passing on.
        const QRectF place = node.layer == 2 ? QRectF(box.right() + 4, box.top(), 200, box.height())
                                             : QRectF(box.right() - 2, box.top() - r - 2, 90, r + 2);
        painter.setPen(text);
        painter.drawText(place, Qt::AlignLeft | Qt::AlignVCenter, "y = " + RoundedText(y, scene.decimals));
    }
}

void PaintLegend(QPainter& painter, const DiagramLegend& legend) {
    for (const LegendEntry& entry : legend.entries) {
        const QRectF& box = entry.box;
        switch (entry.kind) {
        case LegendEntry::Kind::Words:
            painter.setPen(entry.colour);
            painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, entry.text);
            break;
        case LegendEntry::Kind::Line:
            painter.setPen(QPen(entry.colour, entry.thickness, Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(QPointF(box.left() + 1, box.center().y()), QPointF(box.right() - 1, box.center().y()));
            break;
        case LegendEntry::Kind::Scale: {
            const QRectF bar = box.adjusted(0, 3, 0, -3);
            QLinearGradient gradient(bar.topLeft(), bar.topRight());
            for (double t : {0.0, 0.5, 1.0}) gradient.setColorAt(t, ScaleColour(t));
            painter.setPen(QPen(entry.colour, 1));
            painter.setBrush(gradient);
            painter.drawRect(bar);
            painter.setBrush(Qt::NoBrush);
            break;
        }
        }
    }
}
