// SPDX-License-Identifier: GPL-3.0-or-later
#include "network_diagram.h"

#include "io_names.h"
#include "learning_choices.h"
#include "network.h"
#include "number_texts.h"
#include "output_map.h"
#include "work_state.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSpacerItem>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The legend's words, smaller than the controls'.
QFont LegendFont(QFont font) {
    font.setPixelSize(10);
    return font;
}

QString ScaleEnd(double value) { return GeneralNumberText(value, 3, 2); }

}  // namespace

NetworkDiagram::NetworkDiagram(LearningChoices& choices, QWidget* parent)
    : NetworkView(parent), choices_(choices), filterChooser_(new QComboBox), patternChooser_(new QComboBox),
      weightText_(new QLabel), canvas_(new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Expanding)) {
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
    filterChooser_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    patternChooser_->setObjectName(QStringLiteral("diagramPatternChooser"));
    patternChooser_->setAccessibleName(QStringLiteral("Patrón cuyos valores se muestran"));
    patternChooser_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    weightText_->setObjectName(QStringLiteral("weightText"));
    weightText_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* choosers = new QHBoxLayout;
    choosers->addWidget(filterChooser_);
    choosers->addWidget(patternChooser_);
    choosers->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 3, 6, 2);
    layout->setSpacing(2);
    layout->addLayout(choosers);
    layout->addItem(canvas_);
    layout->addWidget(weightText_);

    connect(patternChooser_, &QComboBox::activated, this, [this](int item) {
        const int pattern = patternChooser_->itemData(item).toInt();
        if (pattern > 0) choices_.SetPattern(pattern);
    });
    connect(&choices_, &LearningChoices::PatternChanged, this, [this] { Refresh(); });
    connect(&choices_, &LearningChoices::DecimalsChanged, this, [this] {
        ShowText();
        update();
    });
    connect(filterChooser_, &QComboBox::activated, this, [this](int item) {
        const int code = filterChooser_->itemData(item).toInt();
        SetFilter(code < 0 ? std::nullopt : std::optional<Node>(Node{code / 100, code % 100}));
    });
    FillFilterChooser();
    ShowText();
}

void NetworkDiagram::LayOut() {
    const QRectF area = canvas_->geometry();
    const FillScale fill = NeuronFillScale(snapshot_.function, values_);
    legend_ = LayOutLegend(QFontMetricsF(LegendFont(font())), area.adjusted(4, 2, -4, 0),
                           palette().color(QPalette::Text), ScaleEnd(fill.low), ScaleEnd(fill.high));
    layout_.SetCanvas(area.adjusted(0, legend_.height + 6, 0, 0));
}

void NetworkDiagram::Recompute(const TRedNeuronal& network, const WorkState& state) {
    const bool sameShape = network.NumeroEntradas() == snapshot_.inputs && network.NeuronasCapaOculta() == snapshot_.hidden &&
                           network.NeuronasCapaSalida() == snapshot_.outputs;
    snapshot_ = TakeSnapshot(network);
    layout_.SetShape(snapshot_.inputs, snapshot_.hidden, snapshot_.outputs);
    QStringList inputNames, outputNames;
    for (int i = 1; i <= snapshot_.inputs; ++i) inputNames << QString::fromStdString(InputName(state, i));
    for (int k = 1; k <= snapshot_.outputs; ++k) outputNames << QString::fromStdString(OutputName(state, k));
    const bool sameNames = inputNames == inputNames_ && outputNames == outputNames_;
    inputNames_ = inputNames;
    outputNames_ = outputNames;
    if (!sameNames) {
        FillFilterChooser();
        filterChooser_->setCurrentIndex(std::max(filterChooser_->findData(filter_ ? filter_->layer * 100 + filter_->index : -1), 0));
    }
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
    LayOut();
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

QString NetworkDiagram::NodeName(Node node) const {
    const auto named = [](const QStringList& names, int index) { return names.value(index - 1); };
    if (node.layer == 0)
        return node.index == 0 ? QStringLiteral("Sesgo de la capa oculta") : named(inputNames_, node.index);
    if (node.layer == 1)
        return node.index == 0 ? QStringLiteral("Sesgo de la capa de salida") : QStringLiteral("Oculta %1").arg(node.index);
    return named(outputNames_, node.index);
}

QString NetworkDiagram::Describe(Connection c) const {
    const QString from = c.input == 0 ? QStringLiteral("sesgo (entrada −1)") : NodeName({c.layer - 1, c.input});
    return QStringLiteral("Peso de %1 a %2 = %3").arg(from, NodeName({c.layer, c.neuron}), FileNumberText(Weight(c)));
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
    if (hovered_) text = Describe(*hovered_);
    else if (hoveredNode_) text = NodeText(*hoveredNode_);
    else if (selectedNode_) text = NodeText(*selectedNode_);
    else if (selected_) text = Describe(*selected_);
    else text = QStringLiteral("Ratón o flechas: el peso de una conexión; pulse una neurona para ver solo las suyas.");
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
        for (const Node& node : layout_.Nodes())
            if (node.layer == layer) path.push_back({node, std::nullopt});
    };
    const auto connections = [&](int layer) {
        for (const Connection& c : layout_.Connections())
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
    for (const Node& node : layout_.Nodes()) filterChooser_->addItem(NodeName(node), node.layer * 100 + node.index);
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
    hoveredNode_ = layout_.NodeAt(at);
    hovered_ = hoveredNode_ ? std::nullopt : layout_.ConnectionAt(at, [this](Connection c) { return Shown(c); });
    ShowText();
    update();
}

void NetworkDiagram::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return NetworkView::mousePressEvent(event);
    const QPointF at = event->position();
    if (const std::optional<Node> node = layout_.NodeAt(at)) {
        SetFilter(filter_ == node ? std::nullopt : node);
    } else {
        selected_ = layout_.ConnectionAt(at, [this](Connection c) { return Shown(c); });
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

bool NetworkDiagram::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip || !hasNetwork_) return NetworkView::event(event);
    const QPoint at = static_cast<QHelpEvent*>(event)->pos();
    if (const std::optional<Node> node = layout_.NodeAt(at))
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(),
                           NodeShortName(*node) + QStringLiteral(": ") + NodeName(*node), this);
    else
        QToolTip::hideText();
    return true;
}

void NetworkDiagram::resizeEvent(QResizeEvent* event) {
    NetworkView::resizeEvent(event);
    LayOut();
}

void NetworkDiagram::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!hasNetwork_) {
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap,
                         QStringLiteral("Aún no hay ninguna red: créela en «Configuración» o abra un archivo."));
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    const DiagramScene scene{layout_, snapshot_, values_, filter_, selectedNode_, selected_, hovered_, palette(),
                             choices_.Decimals()};
    PaintConnections(painter, scene);
    PaintNodes(painter, scene, NeuronFillScale(snapshot_.function, values_));
    painter.setFont(LegendFont(painter.font()));
    PaintLegend(painter, legend_);
}
