// SPDX-License-Identifier: GPL-3.0-or-later
#include "decision_map.h"

#include "learning_choices.h"
#include "map_plane.h"
#include "network.h"
#include "number_texts.h"
#include "value_colours.h"
#include "value_text.h"
#include "work_state.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QSpacerItem>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

// The plane's margins within the canvas: tick labels, the axes' names, the scale.
constexpr int kLeft = 48, kTop = 20, kRight = 84, kBottom = 34;
constexpr double kDotRadius = 6.5;
constexpr int kScaleWidth = 14;

QString Tick(double value) {
    return GeneralNumberText(std::abs(value) < 1e-12 ? 0.0 : value, 3, 2);
}

}  // namespace

DecisionMap::DecisionMap(const LearningChoices& choices, QWidget* parent)
    : NetworkView(parent), choices_(choices), neuronChooser_(new QComboBox), pointerText_(new QLabel),
      legend_(new QLabel), canvas_(new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Expanding)) {
    setObjectName(QStringLiteral("decisionMap"));
    setAccessibleName(QStringLiteral("Mapa de decisión"));
    setMouseTracking(true);
    // The page's own colours, light or dark.
    setBackgroundRole(QPalette::Base);
    setForegroundRole(QPalette::Text);
    setAutoFillBackground(true);
    neuronChooser_->setObjectName(QStringLiteral("outputChooser"));
    neuronChooser_->setAccessibleName(QStringLiteral("Neurona del mapa"));
    connect(neuronChooser_, &QComboBox::activated, this, [this](int item) {
        const int code = neuronChooser_->itemData(item).toInt();
        neuron_ = code > 0 ? MapNeuron{false, code} : MapNeuron{true, -code};
        Refresh();
    });
    neuronChooser_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    pointerText_->setObjectName(QStringLiteral("mapPointerText"));
    pointerText_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    legend_->setObjectName(QStringLiteral("mapLegend"));
    legend_->setWordWrap(true);
    // Two lines whatever it says, so the plane stays where it is when the neuron changes.
    legend_->setFixedHeight(2 * legend_->fontMetrics().lineSpacing() + 2);
    auto* top = new QHBoxLayout;
    top->addWidget(pointerText_, 1);
    top->addWidget(neuronChooser_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 3, 4, 0);
    layout->setSpacing(1);
    layout->addLayout(top);
    layout->addWidget(legend_);
    layout->addItem(canvas_);
}

QString DecisionMap::LegendText() const { return legend_->text(); }

void DecisionMap::ShowLegend() {
    const QString output = QStringLiteral("Salida %1").arg(DotOutput());
    const QString shown = neuron_.hidden ? QStringLiteral("Oculta %1").arg(neuron_.index)
                                         : QStringLiteral("Salida %1").arg(neuron_.index);
    legend_->setText(snapshot_.inputs == 2
                         ? QStringLiteral("Puntos: los patrones, del color de su d (%1). Fondo: la y de %2, con la "
                                          "escala de la derecha. - - - sj = 0: frontera de la oculta j; «+»: el lado "
                                          "donde sj > 0.")
                               .arg(output, shown)
                         : QStringLiteral("Curva: la y de %1 según la entrada. Puntos: los patrones, a la altura y "
                                          "del color de su d (%2).")
                               .arg(shown, output));
    legend_->setVisible(hasNetwork_ && (snapshot_.inputs == 1 || snapshot_.inputs == 2));
}

std::vector<QRectF> DecisionMap::DotBoxes() const {
    std::vector<QRectF> boxes;
    // The dot and its white ring.
    const double reach = kDotRadius + 2.5;
    for (const Pattern& p : patterns_)
        boxes.emplace_back(ToWidget(p.x1, p.x2) - QPointF(reach, reach), QSizeF(2 * reach, 2 * reach));
    return boxes;
}

MapFrame DecisionMap::Frame() const { return {Plane(), rangeX_, rangeY_}; }

void DecisionMap::LayOutLines() {
    QFont font = this->font();
    font.setPixelSize(10);
    lines_ = snapshot_.inputs == 2 ? LayOutMapLines(snapshot_, Frame(), DotBoxes(), QFontMetricsF(font))
                                   : std::vector<MapLine>{};
}

QString DecisionMap::PointerText() const { return pointerText_->text(); }

QString DecisionMap::NeuronName() const {
    return QStringLiteral("%1%2").arg(neuron_.hidden ? QStringLiteral("Oculta") : QStringLiteral("Salida")).arg(neuron_.index);
}

void DecisionMap::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    const bool inside = hasNetwork_ && QRectF(Plane()).contains(at) && (snapshot_.inputs == 1 || snapshot_.inputs == 2);
    if (!inside) {
        pointerText_->clear();
        return;
    }
    const int decimals = choices_.Decimals();
    const QPointF point = Frame().ToPlane(at);
    const std::vector<double> x = snapshot_.inputs == 2 ? std::vector{point.x(), point.y()} : std::vector{point.x()};
    QString text = QStringLiteral("Entrada1 %1").arg(RoundedText(x[0], decimals));
    if (x.size() == 2) text += QStringLiteral(" · Entrada2 %1").arg(RoundedText(x[1], decimals));
    pointerText_->setText(text + QStringLiteral(" → %1 %2").arg(NeuronName(), RoundedText(NeuronValue(snapshot_, neuron_, x), decimals)));
}

void DecisionMap::leaveEvent(QEvent* event) {
    NetworkView::leaveEvent(event);
    pointerText_->clear();
}

QRect DecisionMap::Plane() const {
    const QSize cells = Cells();
    const QRect area = canvas_->geometry();
    return {area.left() + kLeft, area.top() + kTop, cells.width() * kCellPixels, cells.height() * kCellPixels};
}

QSize DecisionMap::Cells() const {
    const QRect area = canvas_->geometry();
    return {std::max(1, (area.width() - kLeft - kRight) / kCellPixels),
            std::max(1, (area.height() - kTop - kBottom) / kCellPixels)};
}

void DecisionMap::Recompute(const TRedNeuronal& network, const WorkState& state) {
    snapshot_ = TakeSnapshot(network);
    hasNetwork_ = state.RedCreada;
    if (neuronChooser_->count() != snapshot_.outputs + snapshot_.hidden) {
        neuronChooser_->clear();
        for (int o = 1; o <= snapshot_.outputs; ++o) neuronChooser_->addItem(QStringLiteral("Salida %1").arg(o), o);
        for (int j = 1; j <= snapshot_.hidden; ++j) neuronChooser_->addItem(QStringLiteral("Oculta %1 (y%1)").arg(j), -j);
    }
    const int count = neuron_.hidden ? snapshot_.hidden : snapshot_.outputs;
    if (count < 1) neuron_ = {};
    neuron_.index = std::clamp(neuron_.index, 1, std::max(1, count));
    neuronChooser_->setCurrentIndex(neuronChooser_->findData(neuron_.hidden ? -neuron_.index : neuron_.index));
    neuronChooser_->setVisible(hasNetwork_ && (snapshot_.inputs == 1 || snapshot_.inputs == 2));
    const int output = DotOutput();

    patterns_.clear();
    std::vector<double> first, second;
    for (int p = 1; p <= state.NumeroPatrones; ++p) {
        const auto& inputs = state.EntradasPatrones[static_cast<std::size_t>(p)];
        const Pattern pattern{inputs[1], snapshot_.inputs >= 2 ? inputs[2] : 0.0,
                              state.SalidasPatrones[static_cast<std::size_t>(p)][static_cast<std::size_t>(output)]};
        patterns_.push_back(pattern);
        first.push_back(pattern.x1);
        second.push_back(pattern.x2);
    }
    rangeX_ = MapAxisRange(first);
    rangeY_ = MapAxisRange(second);
    if (snapshot_.function == ftSigmoide) valueRange_ = {0, 1};
    else if (snapshot_.function == ftTangenteHiperbolica) valueRange_ = {-1, 1};
    planeValid_ = false;
    ShowLegend();
    LayOutLines();
}

void DecisionMap::resizeEvent(QResizeEvent* event) {
    NetworkView::resizeEvent(event);
    planeValid_ = false;
    LayOutLines();
}

double DecisionMap::ScaleShare(double value) const {
    const double span = valueRange_.high - valueRange_.low;
    return span > 0 ? (value - valueRange_.low) / span : 0.5;
}

void DecisionMap::RenderPlane() {
    const QSize cells = Cells();
    NeuronGrid(snapshot_, neuron_, rangeX_, rangeY_, cells.width(), cells.height(), values_);
    if (snapshot_.function != ftSigmoide && snapshot_.function != ftTangenteHiperbolica) valueRange_ = ValuesRange(values_);
    plane_ = PlaneImage(values_, cells, valueRange_);
    planeValid_ = true;
}

void DecisionMap::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!hasNetwork_) {
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap,
                         QStringLiteral("Aún no hay ninguna red: créela en «Configuración» o abra un archivo."));
        return;
    }
    if (snapshot_.inputs != 1 && snapshot_.inputs != 2) {
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap,
                         QStringLiteral("El mapa de decisión necesita una red de 1 o 2 entradas."));
        return;
    }
    if (snapshot_.inputs == 2) {
        if (!planeValid_) RenderPlane();
        PaintPlane(painter);
        PaintAxes(painter, true);
    } else {
        PaintCurve(painter);
        PaintAxes(painter, false);
    }
    PaintScale(painter);
}

void DecisionMap::PaintPlane(QPainter& painter) const {
    const QRect plane = Plane();
    painter.drawImage(plane, plane_);
    painter.setRenderHint(QPainter::Antialiasing);
    PaintHiddenLines(painter);
    for (const Pattern& p : patterns_) PaintPattern(painter, ToWidget(p.x1, p.x2), p.expected);
    // The frame just outside the cells.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(palette().color(QPalette::Text), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plane.adjusted(-1, -1, 0, 0));
}

void DecisionMap::PaintHiddenLines(QPainter& painter) const {
    painter.save();
    painter.setClipRect(Plane());
    QFont font = painter.font();
    font.setPixelSize(10);
    painter.setFont(font);
    // The plane's colours are light: dark lines and labels read on every one.
    const QColor ink(40, 40, 40);
    for (const MapLine& line : lines_) {
        const bool shown = neuron_.hidden && neuron_.index == line.neuron;
        painter.setPen(QPen(ink, shown ? 2.4 : 1.2, Qt::DashLine));
        painter.drawLine(line.line);
        painter.setPen(QPen(ink, 1.5));
        painter.drawLine(line.arrow);
        painter.drawText(line.plus, Qt::AlignCenter, QStringLiteral("+"));
        if (line.label)
            painter.drawText(*line.label, Qt::AlignCenter, QStringLiteral("s%1 = 0").arg(line.neuron));
    }
    painter.restore();
}

void DecisionMap::PaintCurve(QPainter& painter) {
    const QRect plane = Plane();
    // The curve sampled once per cell; the value axis covers the function's
    // range (or the curve's) and the expected values.
    const int samples = Cells().width() + 1;
    std::vector<QPointF> curve;
    std::vector<double> shown;
    for (int i = 0; i < samples; ++i) {
        const double x = rangeX_.low + (rangeX_.high - rangeX_.low) * i / (samples - 1);
        const double value = NeuronValue(snapshot_, neuron_, std::span<const double>(&x, 1));
        curve.emplace_back(x, value);
        if (std::isfinite(value)) shown.push_back(value);
    }
    if (snapshot_.function != ftSigmoide && snapshot_.function != ftTangenteHiperbolica && !shown.empty())
        valueRange_ = ValuesRange(shown);
    shown.push_back(valueRange_.low);
    shown.push_back(valueRange_.high);
    for (const Pattern& p : patterns_) shown.push_back(p.expected);
    rangeY_ = MapAxisRange(shown);

    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::Mid), 1));
    painter.drawRect(plane.adjusted(-1, -1, 0, 0));
    painter.save();
    painter.setClipRect(plane);
    QPainterPath path;
    bool drawing = false;
    for (const QPointF& point : curve) {
        if (!std::isfinite(point.y())) {
            drawing = false;
            continue;
        }
        const QPointF at = ToWidget(point.x(), point.y());
        drawing ? path.lineTo(at) : path.moveTo(at);
        drawing = true;
    }
    painter.setPen(QPen(kPositiveColour, 2));
    painter.drawPath(path);
    painter.restore();
    for (const Pattern& p : patterns_) PaintPattern(painter, ToWidget(p.x1, p.expected), p.expected);
}

void DecisionMap::PaintPattern(QPainter& painter, QPointF at, double expected) const {
    // A white ring keeps a dot visible on a cell of its own colour.
    painter.setPen(QPen(Qt::white, 4));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(at, kDotRadius, kDotRadius);
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(ScaleColour(ScaleShare(expected)));
    painter.drawEllipse(at, kDotRadius, kDotRadius);
}

void DecisionMap::PaintAxes(QPainter& painter, bool withY) const {
    const QRect plane = Plane();
    QFont font = painter.font();
    font.setPixelSize(10);
    painter.setFont(font);
    painter.setPen(palette().color(QPalette::Text));
    // Fewer ticks where the plane is too small for five labels side by side.
    const int stepsX = plane.width() >= 5 * 64 ? 4 : 2, stepsY = plane.height() >= 5 * 20 ? 4 : 2;
    for (int i = 0; i <= stepsX; ++i) {
        const double x = rangeX_.low + (rangeX_.high - rangeX_.low) * i / stepsX;
        const double px = ToWidget(x, rangeY_.low).x();
        painter.drawLine(QPointF(px, plane.bottom() + 1), QPointF(px, plane.bottom() + 4));
        painter.drawText(QRectF(px - 30, plane.bottom() + 4, 60, 14), Qt::AlignCenter, Tick(x));
    }
    for (int i = 0; i <= stepsY; ++i) {
        const double y = rangeY_.low + (rangeY_.high - rangeY_.low) * i / stepsY;
        const double py = ToWidget(rangeX_.low, y).y();
        painter.drawLine(QPointF(plane.left() - 4, py), QPointF(plane.left(), py));
        painter.drawText(QRectF(0, py - 7, plane.left() - 6, 14), Qt::AlignRight | Qt::AlignVCenter, Tick(y));
    }
    painter.drawText(QRectF(plane.left(), plane.bottom() + 18, plane.width(), 14), Qt::AlignCenter,
                     QStringLiteral("Entrada 1"));
    painter.drawText(QRectF(6, plane.top() - 18, 160, 14), Qt::AlignLeft | Qt::AlignVCenter,
                     withY ? QStringLiteral("Entrada 2 ↑") : NeuronName() + QStringLiteral(" ↑"));
}

void DecisionMap::PaintScale(QPainter& painter) const {
    const QRect plane = Plane();
    const QRect bar(plane.right() + 16, plane.top(), kScaleWidth, plane.height());
    QLinearGradient gradient(bar.bottomLeft(), bar.topLeft());
    for (double t : {0.0, 0.5, 1.0}) gradient.setColorAt(t, ScaleColour(t));
    painter.setPen(QPen(palette().color(QPalette::Text), 1));
    painter.setBrush(gradient);
    painter.drawRect(bar);
    painter.setBrush(Qt::NoBrush);
    for (double t : {0.0, 0.5, 1.0}) {
        const double y = bar.bottom() - t * bar.height();
        const double value = valueRange_.low + t * (valueRange_.high - valueRange_.low);
        painter.drawLine(QPointF(bar.right(), y), QPointF(bar.right() + 4, y));
        painter.drawText(QRectF(bar.right() + 6, y - 7, 60, 14), Qt::AlignLeft | Qt::AlignVCenter, Tick(value));
    }
}
