// SPDX-License-Identifier: GPL-3.0-or-later
#include "decision_map.h"

#include "learning_choices.h"
#include "network.h"
#include "number_texts.h"
#include "value_colours.h"
#include "value_text.h"
#include "work_state.h"

#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <utility>

namespace {

constexpr int kLeft = 48, kTop = 32, kRight = 84, kBottom = 34;
constexpr int kScaleWidth = 14;

QRgb NoValueColour() { return qRgb(160, 160, 160); }

// The colour scale as 257 steps, built once: an odd count, so that the
// middle of the scale (a tangent's 0) has a step of its own, white.
constexpr int kLastStep = 256;
const std::array<QRgb, kLastStep + 1>& Palette() {
    static const std::array<QRgb, kLastStep + 1> palette = [] {
        std::array<QRgb, kLastStep + 1> steps{};
        for (int i = 0; i <= kLastStep; ++i) steps[static_cast<std::size_t>(i)] = ScaleColour(double(i) / kLastStep).rgb();
        return steps;
    }();
    return palette;
}

// The part of the line through p with direction d that lies in the box, as
// two points; none when it misses the box.
std::optional<std::pair<QPointF, QPointF>> ClipLine(QPointF p, QPointF d, AxisRange x, AxisRange y) {
    double enter = -1e300, leave = 1e300;
    const auto clip = [&](double start, double step, double low, double high) {
        if (step == 0) return start >= low && start <= high;
        double a = (low - start) / step, b = (high - start) / step;
        if (a > b) std::swap(a, b);
        enter = std::max(enter, a);
        leave = std::min(leave, b);
        return enter <= leave;
    };
    if (!clip(p.x(), d.x(), x.low, x.high) || !clip(p.y(), d.y(), y.low, y.high)) return std::nullopt;
    return std::pair{p + enter * d, p + leave * d};
}

QString Tick(double value) {
    return GeneralNumberText(std::abs(value) < 1e-12 ? 0.0 : value, 3, 2);
}

}  // namespace

DecisionMap::DecisionMap(const LearningChoices& choices, QWidget* parent)
    : NetworkView(parent), choices_(choices), neuronChooser_(new QComboBox(this)), pointerText_(new QLabel(this)) {
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
    pointerText_->setObjectName(QStringLiteral("mapPointerText"));
    pointerText_->setTextInteractionFlags(Qt::TextSelectableByMouse);
}

QString DecisionMap::PointerText() const { return pointerText_->text(); }

QString DecisionMap::NeuronName() const {
    return QStringLiteral("%1%2").arg(neuron_.hidden ? QStringLiteral("Oculta") : QStringLiteral("Salida")).arg(neuron_.index);
}

QPointF DecisionMap::ToPlane(QPointF at) const {
    const QRectF plane = Plane();
    return {rangeX_.low + (at.x() - plane.left()) / plane.width() * (rangeX_.high - rangeX_.low),
            rangeY_.low + (plane.bottom() - at.y()) / plane.height() * (rangeY_.high - rangeY_.low)};
}

void DecisionMap::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    const bool inside = hasNetwork_ && QRectF(Plane()).contains(at) && (snapshot_.inputs == 1 || snapshot_.inputs == 2);
    if (!inside) {
        pointerText_->clear();
        return;
    }
    const int decimals = choices_.Decimals();
    const QPointF point = ToPlane(at);
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
    return {kLeft, kTop, cells.width() * kCellPixels, cells.height() * kCellPixels};
}

QSize DecisionMap::Cells() const {
    return {std::max(1, (width() - kLeft - kRight) / kCellPixels), std::max(1, (height() - kTop - kBottom) / kCellPixels)};
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
    // The dots show the expected value of the output shown, or of the first for a hidden neuron.
    const int output = neuron_.hidden ? 1 : neuron_.index;

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
}

void DecisionMap::resizeEvent(QResizeEvent* event) {
    NetworkView::resizeEvent(event);
    neuronChooser_->setGeometry(width() - 124, 3, 120, 22);
    pointerText_->setGeometry(130, 3, std::max(0, width() - 260), 22);
    planeValid_ = false;
}

double DecisionMap::ScaleShare(double value) const {
    const double span = valueRange_.high - valueRange_.low;
    return span > 0 ? (value - valueRange_.low) / span : 0.5;
}

QPointF DecisionMap::ToWidget(double x, double y) const {
    const QRectF plane = Plane();
    return {plane.left() + (x - rangeX_.low) / (rangeX_.high - rangeX_.low) * plane.width(),
            plane.bottom() - (y - rangeY_.low) / (rangeY_.high - rangeY_.low) * plane.height()};
}

void DecisionMap::RenderPlane() {
    const QSize cells = Cells();
    NeuronGrid(snapshot_, neuron_, rangeX_, rangeY_, cells.width(), cells.height(), values_);
    // The identity has no fixed range: the scale spans what the plane shows.
    if (snapshot_.function != ftSigmoide && snapshot_.function != ftTangenteHiperbolica) {
        double low = INFINITY, high = -INFINITY;
        for (double v : values_)
            if (std::isfinite(v)) low = std::min(low, v), high = std::max(high, v);
        valueRange_ = low < high ? AxisRange{low, high} : std::isfinite(low) ? AxisRange{low - 0.5, low + 0.5} : AxisRange{0, 1};
    }
    plane_ = QImage(cells, QImage::Format_RGB32);
    const auto& palette = Palette();
    const double span = valueRange_.high - valueRange_.low;
    const double toStep = span > 0 ? kLastStep / span : 0.0;
    for (int row = 0; row < cells.height(); ++row) {
        auto* line = reinterpret_cast<QRgb*>(plane_.scanLine(row));
        const double* value = values_.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(cells.width());
        for (int column = 0; column < cells.width(); ++column) {
            const double step = (value[column] - valueRange_.low) * toStep;
            line[column] = std::isnan(step) ? NoValueColour()
                                            : palette[static_cast<std::size_t>(std::clamp(step + 0.5, 0.0, double(kLastStep)))];
        }
    }
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
    const QRectF plane = Plane();
    painter.save();
    painter.setClipRect(plane);
    QFont font = painter.font();
    font.setPixelSize(10);
    painter.setFont(font);
    // The plane's colours are light: dark lines and labels read on every one.
    const QColor ink(40, 40, 40);
    // Each hidden neuron's s = 0: -w0 + w1·x1 + w2·x2 = 0. Its positive side
    // lies along (w1, w2), marked by a short arrow and "+".
    for (int j = 1; j <= snapshot_.hidden; ++j) {
        const auto& w = snapshot_.hiddenWeights[static_cast<std::size_t>(j - 1)];
        if (w[1] == 0 && w[2] == 0) continue;
        const double norm = w[1] * w[1] + w[2] * w[2];
        const QPointF foot(w[0] * w[1] / norm, w[0] * w[2] / norm);
        const auto segment = ClipLine(foot, QPointF(-w[2], w[1]), rangeX_, rangeY_);
        if (!segment) continue;
        const QPointF a = ToWidget(segment->first.x(), segment->first.y());
        const QPointF b = ToWidget(segment->second.x(), segment->second.y());
        const bool shown = neuron_.hidden && neuron_.index == j;
        painter.setPen(QPen(ink, shown ? 2.4 : 1.2, Qt::DashLine));
        painter.drawLine(a, b);

        const QPointF middle = (a + b) / 2;
        const QPointF inPlane = (segment->first + segment->second) / 2;
        QPointF toward = ToWidget(inPlane.x() + w[1], inPlane.y() + w[2]) - middle;
        const double length = std::hypot(toward.x(), toward.y());
        if (length > 0) {
            toward /= length;
            painter.setPen(QPen(ink, 1.5));
            painter.drawLine(middle, middle + 10 * toward);
            painter.drawText(QRectF(middle + 17 * toward - QPointF(6, 7), QSizeF(12, 14)), Qt::AlignCenter,
                             QStringLiteral("+"));
        }

        // The label beside the line, moved inside the plane where it would be cut.
        const QString label = QStringLiteral("s%1 = 0").arg(j);
        QRectF box(a + 0.12 * (b - a) + QPointF(3, -15), QSizeF(painter.fontMetrics().horizontalAdvance(label) + 2, 13));
        box.moveLeft(std::clamp(box.left(), plane.left() + 2, plane.right() - box.width() - 2));
        box.moveTop(std::clamp(box.top(), plane.top() + 2, plane.bottom() - box.height() - 2));
        painter.setPen(ink);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, label);
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
    if (snapshot_.function != ftSigmoide && snapshot_.function != ftTangenteHiperbolica && !shown.empty()) {
        const auto [low, high] = std::minmax_element(shown.begin(), shown.end());
        valueRange_ = *low < *high ? AxisRange{*low, *high} : AxisRange{*low - 0.5, *low + 0.5};
    }
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
    painter.drawEllipse(at, 6.5, 6.5);
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(ScaleColour(ScaleShare(expected)));
    painter.drawEllipse(at, 6.5, 6.5);
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
    painter.drawText(QRectF(6, kTop - 22, 120, 14), Qt::AlignLeft | Qt::AlignVCenter,
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
