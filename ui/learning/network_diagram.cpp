// SPDX-License-Identifier: GPL-3.0-or-later
#include "network_diagram.h"

#include "learning_choices.h"
#include "network.h"
#include "number_texts.h"
#include "output_map.h"
#include "value_colours.h"
#include "value_text.h"
#include "work_state.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// The choosers, then the legend, above the canvas.
constexpr int kTopStrip = 46;
constexpr int kBottomStrip = 22;
constexpr double kColumns[] = {0.18, 0.52, 0.86};  // each layer's share of the width
constexpr double kHitDistance = 4.0;

double DistanceToSegment(QPointF p, QLineF line) {
    const QPointF d = line.p2() - line.p1();
    const double length2 = QPointF::dotProduct(d, d);
    double t = length2 > 0 ? QPointF::dotProduct(p - line.p1(), d) / length2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const QPointF nearest = line.p1() + t * d;
    return std::hypot(p.x() - nearest.x(), p.y() - nearest.y());
}

// Where a neuron's output lies within its function's range, 0..1.
double OutputShare(TFuncionTransferencia function, double y, double largest) {
    if (function == ftSigmoide) return y;
    if (function == ftTangenteHiperbolica) return (y + 1) / 2;
    return largest > 0 ? 0.5 + y / (2 * largest) : 0.5;
}

}  // namespace

NetworkDiagram::NetworkDiagram(LearningChoices& choices, QWidget* parent)
    : NetworkView(parent), choices_(choices), filterChooser_(new QComboBox(this)), patternChooser_(new QComboBox(this)),
      weightText_(new QLabel(this)) {
    setObjectName(QStringLiteral("networkDiagram"));
    setAccessibleName(QStringLiteral("Red"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    // The page's own colours, light or dark.
    setBackgroundRole(QPalette::Base);
    setForegroundRole(QPalette::Text);
    setAutoFillBackground(true);
    filterChooser_->setObjectName(QStringLiteral("neuronFilter"));
    filterChooser_->setAccessibleName(QStringLiteral("Mostrar las conexiones de"));
    filterChooser_->setGeometry(4, 3, 190, 22);
    patternChooser_->setObjectName(QStringLiteral("diagramPatternChooser"));
    patternChooser_->setAccessibleName(QStringLiteral("Patrón cuyos valores se muestran"));
    patternChooser_->setGeometry(198, 3, 120, 22);
    connect(patternChooser_, &QComboBox::activated, this, [this](int item) {
        const int pattern = patternChooser_->itemData(item).toInt();
        if (pattern > 0) choices_.SetPattern(pattern);
    });
    connect(&choices_, &LearningChoices::PatternChanged, this, [this] { Refresh(); });
    connect(&choices_, &LearningChoices::DecimalsChanged, this, [this] {
        ShowText();
        update();
    });
    weightText_->setObjectName(QStringLiteral("weightText"));
    weightText_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    connect(filterChooser_, &QComboBox::activated, this, [this](int item) {
        const int code = filterChooser_->itemData(item).toInt();
        SetFilter(code < 0 ? std::nullopt : std::optional<Node>(Node{code / 100, code % 100}));
    });
    FillFilterChooser();
    ShowText();
}

void NetworkDiagram::Recompute(const TRedNeuronal& network, const WorkState& state) {
    const bool sameShape = network.NumeroEntradas() == snapshot_.inputs && network.NeuronasCapaOculta() == snapshot_.hidden &&
                           network.NeuronasCapaSalida() == snapshot_.outputs;
    snapshot_ = TakeSnapshot(network);
    if (!sameShape) {
        selected_.reset();
        hovered_.reset();
        hoveredNode_.reset();
        selectedNode_.reset();
        filter_.reset();
        FillFilterChooser();
    }
    hasNetwork_ = state.RedCreada;
    for (QWidget* control : {static_cast<QWidget*>(filterChooser_), static_cast<QWidget*>(patternChooser_),
                             static_cast<QWidget*>(weightText_)})
        control->setVisible(hasNetwork_);
    ReadValues(network, state);
    ShowText();
}

void NetworkDiagram::ReadValues(const TRedNeuronal& network, const WorkState& state) {
    const int count = state.RedCreada ? std::min(state.NumeroPatrones, kMaxPatterns) : 0;
    if (patternChooser_->count() != std::max(count, 1) || patternChooser_->itemData(0).toInt() != (count > 0)) {
        patternChooser_->clear();
        if (count == 0) patternChooser_->addItem(QStringLiteral("Últimos valores"), 0);
        for (int p = 1; p <= count; ++p) patternChooser_->addItem(QStringLiteral("Patrón %1").arg(p), p);
    }
    const int p = choices_.Pattern();
    values_ = {};
    if (p >= 1 && p <= count) {
        const auto& row = state.EntradasPatrones[static_cast<std::size_t>(p)];
        values_.inputs.assign(row.begin() + 1, row.begin() + 1 + snapshot_.inputs);
        for (int j = 1; j <= snapshot_.hidden; ++j) values_.hidden.push_back(NeuronValue(snapshot_, {true, j}, values_.inputs));
        for (int i = 1; i <= snapshot_.outputs; ++i) values_.outputs.push_back(OutputValue(snapshot_, i, values_.inputs));
        values_.pattern = p;
        patternChooser_->setCurrentIndex(p - 1);
    } else {
        values_.inputs.assign(network.Entradas.begin() + 1, network.Entradas.begin() + 1 + snapshot_.inputs);
        values_.hidden = snapshot_.hiddenOutputs;
        values_.outputs = snapshot_.outputValues;
        patternChooser_->setCurrentIndex(-1);
    }
}

int NetworkDiagram::NodeCount(int layer) const {
    if (layer == 0) return snapshot_.inputs + 1;
    if (layer == 1) return snapshot_.hidden + 1;
    return snapshot_.outputs;
}

double NetworkDiagram::Weight(Connection c) const {
    const auto& rows = c.layer == 1 ? snapshot_.hiddenWeights : snapshot_.outputWeights;
    return rows[static_cast<std::size_t>(c.neuron - 1)][static_cast<std::size_t>(c.input)];
}

QRectF NetworkDiagram::Canvas() const {
    return QRectF(0, kTopStrip, width(), std::max(1, height() - kTopStrip - kBottomStrip));
}

QPointF NetworkDiagram::NodeCentre(Node node) const {
    const QRectF canvas = Canvas();
    const int count = std::max(1, NodeCount(node.layer));
    const int slot = node.layer == 2 ? node.index - 1 : node.index;
    return {canvas.left() + canvas.width() * kColumns[node.layer],
            canvas.top() + (slot + 0.5) * canvas.height() / count};
}

double NetworkDiagram::NodeRadius() const {
    const int most = std::max({NodeCount(0), NodeCount(1), NodeCount(2), 1});
    return std::clamp(Canvas().height() / most * 0.38, 2.5, 15.0);
}

QLineF NetworkDiagram::ConnectionLine(Connection c) const {
    return {NodeCentre({c.layer - 1, c.input}), NodeCentre({c.layer, c.neuron})};
}

std::vector<NetworkDiagram::Connection> NetworkDiagram::Connections() const {
    std::vector<Connection> all;
    for (int j = 1; j <= snapshot_.hidden; ++j)
        for (int k = 0; k <= snapshot_.inputs; ++k) all.push_back({1, j, k});
    for (int j = 1; j <= snapshot_.outputs; ++j)
        for (int k = 0; k <= snapshot_.hidden; ++k) all.push_back({2, j, k});
    return all;
}

bool NetworkDiagram::Shown(Connection c) const {
    if (!filter_) return true;
    return *filter_ == Node{c.layer - 1, c.input} || *filter_ == Node{c.layer, c.neuron};
}

std::optional<NetworkDiagram::Node> NetworkDiagram::NodeAt(QPointF point) const {
    const double reach = std::max(NodeRadius(), kHitDistance);
    for (int layer = 0; layer <= 2; ++layer)
        for (int index = layer == 2 ? 1 : 0; index <= (layer == 2 ? snapshot_.outputs : NodeCount(layer) - 1); ++index) {
            const QPointF d = point - NodeCentre({layer, index});
            if (std::hypot(d.x(), d.y()) <= reach) return Node{layer, index};
        }
    return std::nullopt;
}

std::optional<NetworkDiagram::Connection> NetworkDiagram::ConnectionAt(QPointF point) const {
    std::optional<Connection> nearest;
    double best = kHitDistance;
    for (const Connection& c : Connections()) {
        if (!Shown(c)) continue;
        const double distance = DistanceToSegment(point, ConnectionLine(c));
        if (distance <= best) {
            best = distance;
            nearest = c;
        }
    }
    return nearest;
}

QString NetworkDiagram::NodeName(Node node) const {
    if (node.layer == 0)
        return node.index == 0 ? QStringLiteral("Sesgo de la capa oculta") : QStringLiteral("Entrada %1").arg(node.index);
    if (node.layer == 1)
        return node.index == 0 ? QStringLiteral("Sesgo de la capa de salida") : QStringLiteral("Oculta %1").arg(node.index);
    return QStringLiteral("Salida %1").arg(node.index);
}

QString NetworkDiagram::Describe(Connection c) const {
    const QString from = c.input == 0 ? QStringLiteral("sesgo (entrada −1)") : NodeName({c.layer - 1, c.input});
    return QStringLiteral("Peso de %1 a %2 = %3")
        .arg(from, NodeName({c.layer, c.neuron}),
             FileNumberText(Weight(c)));
}

QString NetworkDiagram::WeightText() const { return weightText_->text(); }

QString NetworkDiagram::NodeText(Node node) const {
    if (node.index == 0) return NodeName(node) + QStringLiteral(": entrada −1");
    const auto& values = node.layer == 0 ? values_.inputs : node.layer == 1 ? values_.hidden : values_.outputs;
    const QString value = FileNumberText(values[static_cast<std::size_t>(node.index - 1)]);
    const QString which = values_.pattern > 0 ? QStringLiteral("patrón %1").arg(values_.pattern) : QStringLiteral("último valor");
    return node.layer == 0 ? QStringLiteral("%1: x%2 = %3 (%4)").arg(NodeName(node)).arg(node.index).arg(value, which)
                           : QStringLiteral("%1: y = %2 (%3)").arg(NodeName(node), value, which);
}

void NetworkDiagram::ShowText() {
    QString text;
    if (hovered_) {
        text = Describe(*hovered_);
    } else if (hoveredNode_) {
        text = NodeText(*hoveredNode_);
    } else if (selectedNode_) {
        text = NodeText(*selectedNode_);
    } else if (selected_) {
        text = Describe(*selected_);
    } else {
        text = QStringLiteral("Ratón o flechas: el peso de una conexión; pulse una neurona para ver solo las suyas.");
    }
    weightText_->setText(text);
    // A screen reader reads what the status line says.
    setAccessibleDescription(text);
}

void NetworkDiagram::Step(int by) {
    struct Item {
        std::optional<Node> node;
        std::optional<Connection> connection;
    };
    std::vector<Item> path;
    const auto nodes = [&](int layer) {
        for (int index = layer == 2 ? 1 : 0; index <= (layer == 2 ? snapshot_.outputs : NodeCount(layer) - 1); ++index)
            path.push_back({Node{layer, index}, std::nullopt});
    };
    const auto connections = [&](int layer) {
        for (const Connection& c : Connections())
            if (c.layer == layer && Shown(c)) path.push_back({std::nullopt, c});
    };
    nodes(0);
    connections(1);
    nodes(1);
    connections(2);
    nodes(2);
    int at = -1;
    for (std::size_t i = 0; i < path.size(); ++i)
        if ((selectedNode_ && path[i].node == selectedNode_) || (!selectedNode_ && selected_ && path[i].connection == selected_))
            at = static_cast<int>(i);
    const int next = at < 0 ? (by > 0 ? 0 : static_cast<int>(path.size()) - 1)
                            : std::clamp(at + by, 0, static_cast<int>(path.size()) - 1);
    selectedNode_ = path[static_cast<std::size_t>(next)].node;
    selected_ = path[static_cast<std::size_t>(next)].connection;
    ShowText();
    update();
}

void NetworkDiagram::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
        return Step(1);
    case Qt::Key_Left:
    case Qt::Key_Up:
        return Step(-1);
    default:
        NetworkView::keyPressEvent(event);
    }
}

void NetworkDiagram::FillFilterChooser() {
    filterChooser_->clear();
    filterChooser_->addItem(QStringLiteral("Todas las conexiones"), -1);
    for (int layer = 0; layer <= 2; ++layer)
        for (int index = layer == 2 ? 1 : 0; index <= (layer == 2 ? snapshot_.outputs : NodeCount(layer) - 1); ++index)
            filterChooser_->addItem(NodeName({layer, index}), layer * 100 + index);
}

void NetworkDiagram::SetFilter(std::optional<Node> node) {
    filter_ = node;
    const int item = filterChooser_->findData(node ? node->layer * 100 + node->index : -1);
    filterChooser_->setCurrentIndex(std::max(item, 0));
    if (selected_ && !Shown(*selected_)) selected_.reset();
    selectedNode_.reset();
    hovered_.reset();
    ShowText();
    update();
}

void NetworkDiagram::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    hoveredNode_ = NodeAt(at);
    hovered_ = hoveredNode_ ? std::nullopt : ConnectionAt(at);
    ShowText();
    update();
}

void NetworkDiagram::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return NetworkView::mousePressEvent(event);
    const QPointF at = event->position();
    if (const std::optional<Node> node = NodeAt(at)) {
        SetFilter(filter_ == node ? std::nullopt : node);
    } else {
        selected_ = ConnectionAt(at);
        selectedNode_.reset();
        ShowText();
        update();
    }
}

void NetworkDiagram::leaveEvent(QEvent* event) {
    NetworkView::leaveEvent(event);
    hovered_.reset();
    hoveredNode_.reset();
    ShowText();
    update();
}

void NetworkDiagram::resizeEvent(QResizeEvent* event) {
    NetworkView::resizeEvent(event);
    weightText_->setGeometry(6, height() - kBottomStrip, width() - 12, kBottomStrip);
}

void NetworkDiagram::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!hasNetwork_) {
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap,
                         QStringLiteral("Aún no hay ninguna red: créela en «Configuración» o abra un archivo."));
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    PaintConnections(painter);
    PaintNodes(painter);
    PaintLegend(painter);
}

void NetworkDiagram::PaintLegend(QPainter& painter) const {
    QFont font = painter.font();
    font.setPixelSize(10);
    painter.setFont(font);
    const int top = 36;
    double x = 8;
    const auto words = [&](const QString& text) {
        painter.setPen(palette().color(QPalette::Text));
        const double width = painter.fontMetrics().horizontalAdvance(text);
        painter.drawText(QRectF(x, top - 7, width + 2, 14), Qt::AlignLeft | Qt::AlignVCenter, text);
        x += width + 6;
    };
    const auto entry = [&](const QColor& colour, double thickness, const QString& text) {
        painter.setPen(QPen(colour, thickness, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(x, top), QPointF(x + 16, top));
        x += 20;
        words(text);
        x += 6;
    };
    words(QStringLiteral("Color, signo de w:"));
    entry(kPositiveColour, 3, QStringLiteral("positivo"));
    entry(kNegativeColour, 3, QStringLiteral("negativo"));
    x += 10;
    words(QStringLiteral("Grosor, tamaño |w|:"));
    entry(palette().color(QPalette::Text), 0.6, QStringLiteral("pequeño"));
    entry(palette().color(QPalette::Text), 4.5, QStringLiteral("grande"));
}

void NetworkDiagram::PaintConnections(QPainter& painter) const {
    std::vector<Connection> shown;
    double largest = 0;
    for (const Connection& c : Connections()) {
        const double w = std::abs(Weight(c));
        if (std::isfinite(w)) largest = std::max(largest, w);
        if (Shown(c)) shown.push_back(c);
    }
    if (largest == 0) largest = 1;
    // The strongest last, on top of the faint ones.
    std::stable_sort(shown.begin(), shown.end(),
                     [this](Connection a, Connection b) { return std::abs(Weight(a)) < std::abs(Weight(b)); });
    // Many lines at once are thinner, and the weaker ones fade faster, so
    // that the strong ones stand out in a large network.
    const bool crowded = shown.size() > 50;
    const double widest = crowded ? std::max(1.5, 5.0 * std::sqrt(50.0 / static_cast<double>(shown.size()))) : 5.0;
    for (const Connection& c : shown) {
        const double w = Weight(c);
        const double share = std::isfinite(w) ? std::abs(w) / largest : 1.0;
        QColor colour = w < 0 ? kNegativeColour : kPositiveColour;
        colour.setAlphaF(filter_ ? 1.0 : crowded ? 0.04 + 0.96 * share * share : 0.08 + 0.92 * share);
        const QLineF line = ConnectionLine(c);
        const double thickness = 0.4 + (widest - 0.4) * share;
        if (selected_ == c || hovered_ == c) {
            painter.setPen(QPen(palette().color(selected_ == c ? QPalette::Text : QPalette::Mid), thickness + 3,
                                Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(line);
        }
        painter.setPen(QPen(colour, thickness, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(line);
    }
}

void NetworkDiagram::PaintNodes(QPainter& painter) const {
    const double r = NodeRadius();
    const bool withTexts = r >= 7;
    const int decimals = choices_.Decimals();
    double largest = 0;
    for (double y : values_.hidden) largest = std::max(largest, std::abs(y));
    for (double y : values_.outputs) largest = std::max(largest, std::abs(y));
    QFont font = painter.font();
    font.setPixelSize(std::clamp(static_cast<int>(r * 0.9), 8, 11));
    painter.setFont(font);
    const QColor text = palette().color(QPalette::Text);

    for (int layer = 0; layer <= 2; ++layer) {
        for (int index = layer == 2 ? 1 : 0; index <= (layer == 2 ? snapshot_.outputs : NodeCount(layer) - 1); ++index) {
            const Node node{layer, index};
            const QPointF centre = NodeCentre(node);
            const QRectF box(centre.x() - r, centre.y() - r, 2 * r, 2 * r);
            const bool chosen = filter_ == node || selectedNode_ == node;
            painter.setPen(QPen(chosen ? text : palette().color(QPalette::Mid), chosen ? 2.5 : 1));
            if (index == 0) {
                painter.setBrush(palette().color(QPalette::Button));
                painter.drawRect(box);
                painter.setPen(palette().color(QPalette::ButtonText));
                if (withTexts) painter.drawText(box, Qt::AlignCenter, QStringLiteral("−1"));
                continue;
            }
            if (layer == 0) {
                painter.setBrush(palette().color(QPalette::Button));
                painter.drawEllipse(box);
                if (withTexts) {
                    painter.setPen(text);
                    painter.drawText(QRectF(0, box.top(), box.left() - 4, box.height()), Qt::AlignRight | Qt::AlignVCenter,
                                     QStringLiteral("x%1 = %2").arg(index).arg(RoundedText(
                                         values_.inputs[static_cast<std::size_t>(index - 1)], decimals)));
                }
                continue;
            }
            const auto& outputs = layer == 1 ? values_.hidden : values_.outputs;
            const double y = outputs[static_cast<std::size_t>(index - 1)];
            painter.setBrush(ScaleColour(OutputShare(snapshot_.function, y, largest)));
            painter.drawEllipse(box);
            if (withTexts) {
                // The hidden layer's values sit above right, clear of the lines passing on.
                const QRectF place = layer == 2 ? QRectF(box.right() + 4, box.top(), width() - box.right() - 4, box.height())
                                                : QRectF(box.right() - 2, box.top() - r - 2, 90, r + 2);
                painter.setPen(text);
                painter.drawText(place, Qt::AlignLeft | Qt::AlignVCenter, "y = " + RoundedText(y, decimals));
            }
        }
    }
}
