// SPDX-License-Identifier: GPL-3.0-or-later
#include "network_diagram_layout.h"

#include "value_colours.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kColumns[] = {0.18, 0.52, 0.86};  // each layer's share of the width

}  // namespace

double ConnectionWeight(const NetworkSnapshot& snapshot, DiagramConnection c) {
    const auto& rows = c.layer == 1 ? snapshot.hiddenWeights : snapshot.outputWeights;
    return rows[static_cast<std::size_t>(c.neuron - 1)][static_cast<std::size_t>(c.input)];
}

void DiagramLayout::SetShape(int inputs, int hidden, int outputs) {
    inputs_ = inputs;
    hidden_ = hidden;
    outputs_ = outputs;
}

int DiagramLayout::NodeCount(int layer) const {
    if (layer == 0) return inputs_ + 1;
    if (layer == 1) return hidden_ + 1;
    return outputs_;
}

std::vector<DiagramNode> DiagramLayout::Nodes() const {
    std::vector<DiagramNode> nodes;
    for (int index = 0; index <= inputs_; ++index) nodes.push_back({0, index});
    for (int index = 0; index <= hidden_; ++index) nodes.push_back({1, index});
    for (int index = 1; index <= outputs_; ++index) nodes.push_back({2, index});
    return nodes;
}

std::vector<DiagramConnection> DiagramLayout::Connections() const {
    std::vector<DiagramConnection> all;
    for (int j = 1; j <= hidden_; ++j)
        for (int k = 0; k <= inputs_; ++k) all.push_back({1, j, k});
    for (int j = 1; j <= outputs_; ++j)
        for (int k = 0; k <= hidden_; ++k) all.push_back({2, j, k});
    return all;
}

QPointF DiagramLayout::NodeCentre(DiagramNode node) const {
    const int count = std::max(1, NodeCount(node.layer));
    const int slot = node.layer == 2 ? node.index - 1 : node.index;
    return {canvas_.left() + canvas_.width() * kColumns[node.layer],
            canvas_.top() + (slot + 0.5) * canvas_.height() / count};
}

double DiagramLayout::NodeRadius() const {
    const int most = std::max({NodeCount(0), NodeCount(1), NodeCount(2), 1});
    return std::clamp(canvas_.height() / most * 0.38, 2.5, 15.0);
}

QLineF DiagramLayout::ConnectionLine(DiagramConnection c) const {
    return {NodeCentre({c.layer - 1, c.input}), NodeCentre({c.layer, c.neuron})};
}

std::optional<DiagramNode> DiagramLayout::NodeAt(QPointF point) const {
    const double reach = std::max(NodeRadius(), kHitDistance);
    for (const DiagramNode& node : Nodes()) {
        const QPointF d = point - NodeCentre(node);
        if (std::hypot(d.x(), d.y()) <= reach) return node;
    }
    return std::nullopt;
}

double DiagramLayout::DistanceTo(QPointF point, QLineF line) {
    const QPointF d = line.p2() - line.p1();
    const double length2 = QPointF::dotProduct(d, d);
    const double t = std::clamp(length2 > 0 ? QPointF::dotProduct(point - line.p1(), d) / length2 : 0.0, 0.0, 1.0);
    const QPointF nearest = line.p1() + t * d;
    return std::hypot(point.x() - nearest.x(), point.y() - nearest.y());
}

DiagramLegend LayOutLegend(const QFontMetricsF& metrics, QRectF area, const QColor& text, const QString& low,
                           const QString& high) {
    DiagramLegend legend;
    const double rowHeight = metrics.height() + 2;
    double x = area.left(), top = area.top();
    // An entry that would pass the right edge starts a new row, with what belongs to it.
    const auto place = [&](LegendEntry entry, double width, double gap) {
        if (x > area.left() && x + width > area.right()) {
            x = area.left();
            top += rowHeight;
        }
        entry.box = QRectF(x, top, width, rowHeight);
        legend.entries.push_back(entry);
        x += width + gap;
    };
    const auto words = [&](const QString& words) {
        place({LegendEntry::Kind::Words, words, {}, text, 0}, metrics.horizontalAdvance(words) + 2, 4);
    };
    const auto line = [&](const QColor& colour, double thickness, const QString& name) {
        place({LegendEntry::Kind::Line, name, {}, colour, thickness}, 16, 3);
        words(name);
        x += 6;
    };
    words("Línea, color = signo de w:");
    line(kPositiveColour, 3, "positivo");
    line(kNegativeColour, 3, "negativo");
    words("grosor = |w|:");
    line(text, 0.6, "pequeño");
    line(text, 4.5, "grande");
    // The fill's scale on a row of its own, with the names.
    x = area.right();
    words("Relleno de cada neurona = su salida y:");
    words(low);
    place({LegendEntry::Kind::Scale, "y", {}, text, 0}, 60, 4);
    words(high);
    x += 8;
    words("x entrada, h oculta, o salida; −1: la entrada x0 del sesgo, de peso w0");
    legend.height = top + rowHeight - area.top();
    return legend;
}
