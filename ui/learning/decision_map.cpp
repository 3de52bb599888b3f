// SPDX-License-Identifier: GPL-3.0-or-later
#include "decision_map.h"

#include "learning_choices.h"
#include "map_painter.h"
#include "map_plane.h"
#include "map_settings.h"
#include "network.h"
#include "value_colours.h"
#include "value_text.h"
#include "work_state.h"

#include <QCheckBox>
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

}  // namespace

DecisionMap::DecisionMap(const LearningChoices& choices, QWidget* parent)
    : NetworkView(parent), choices_(choices), neuronChooser_(new QComboBox),
      classOption_(new QCheckBox(QStringLiteral("Clase ganadora"))), settings_(new MapSettings),
      pointerText_(new QLabel), legend_(new QLabel),
      canvas_(new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Expanding)) {
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
    classOption_->setObjectName(QStringLiteral("mapWinningClass"));
    connect(classOption_, &QCheckBox::toggled, this, [this] { Refresh(); });
    settings_->hide();
    connect(settings_, &MapSettings::PlaneChanged, this, [this] {
        plane_ = settings_->Plane();
        PlacePlane();
    });
    // Another pattern chosen in "Red" or "Paso a paso" holds its values.
    connect(&choices_, &LearningChoices::PatternChanged, this, [this] {
        settings_->ForgetSetValues();
        Refresh();
    });
    pointerText_->setObjectName(QStringLiteral("mapPointerText"));
    pointerText_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    legend_->setObjectName(QStringLiteral("mapLegend"));
    legend_->setWordWrap(true);
    // Fixed lines whatever it says, so the plane stays where it is when the neuron changes.
    legend_->setFixedHeight(2 * legend_->fontMetrics().lineSpacing() + 2);
    auto* top = new QHBoxLayout;
    top->addWidget(pointerText_, 1);
    top->addWidget(classOption_);
    top->addWidget(neuronChooser_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 3, 4, 0);
    layout->setSpacing(1);
    layout->addLayout(top);
    layout->addWidget(settings_);
    layout->addWidget(legend_);
    layout->addItem(canvas_);
}

QString DecisionMap::LegendText() const { return legend_->text(); }
QString DecisionMap::PointerText() const { return pointerText_->text(); }

bool DecisionMap::ShowsClasses() const {
    return classOption_->isChecked() && snapshot_.inputs >= 2 && snapshot_.outputs >= 2;
}

void DecisionMap::ShowLegend() {
    const bool many = snapshot_.inputs > 2;
    legend_->setFixedHeight((many ? 3 : 2) * legend_->fontMetrics().lineSpacing() + 2);
    const QString fading = many ? QStringLiteral(" Más tenues cuanto más lejos están de los valores fijos.") : QString();
    if (ShowsClasses()) {
        QString key;
        for (const auto& [name, colour] : classKey_)
            key += QStringLiteral(" <span style=\"color:%1\">■</span>&nbsp;%2").arg(colour.name(), name.toHtmlEscaped());
        legend_->setTextFormat(Qt::RichText);
        legend_->setText(QStringLiteral("Fondo: la clase ganadora, la salida de mayor y:%1. Líneas: fronteras entre "
                                        "clases. Puntos: los patrones, del color de su clase esperada.%2")
                             .arg(key, fading.toHtmlEscaped()));
    } else {
        const QString output = source_.outputNames.empty() ? QString() : source_.outputNames[static_cast<std::size_t>(DotOutput() - 1)];
        legend_->setTextFormat(Qt::PlainText);
        legend_->setText(snapshot_.inputs >= 2
                             ? QStringLiteral("Puntos: los patrones, del color de su d (%1).%3 Fondo: la y de %2, con "
                                              "la escala de la derecha. - - - sj = 0: frontera de la oculta j; «+»: "
                                              "el lado donde sj > 0.")
                                   .arg(output, NeuronName(), fading)
                             : QStringLiteral("Curva: la y de %1 según la entrada. Puntos: los patrones, a la altura y "
                                              "del color de su d (%2).")
                                   .arg(NeuronName(), output));
    }
    legend_->setVisible(hasNetwork_);
}

QPointF DecisionMap::DotAt(const Pattern& p) const {
    if (snapshot_.inputs == 1) return ToWidget(p.x[0], p.d[static_cast<std::size_t>(DotOutput() - 1)]);
    return ToWidget(p.x[static_cast<std::size_t>(plane_.across - 1)], p.x[static_cast<std::size_t>(plane_.up - 1)]);
}

std::vector<QRectF> DecisionMap::DotBoxes() const {
    std::vector<QRectF> boxes;
    // The dot and its white ring.
    const double reach = kDotRadius + 2.5;
    for (const Pattern& p : source_.patterns) boxes.emplace_back(DotAt(p) - QPointF(reach, reach), QSizeF(2 * reach, 2 * reach));
    return boxes;
}

MapFrame DecisionMap::Frame() const { return {Plane(), rangeX_, rangeY_}; }

void DecisionMap::LayOutLines() {
    QFont font = this->font();
    font.setPixelSize(10);
    linesPlane_ = Plane();
    lines_ = snapshot_.inputs >= 2 && !ShowsClasses()
                 ? LayOutMapLines(snapshot_, plane_, Frame(), DotBoxes(), QFontMetricsF(font))
                 : std::vector<MapLine>{};
}


QString DecisionMap::NeuronName() const {
    return neuron_.hidden ? QStringLiteral("Oculta %1").arg(neuron_.index)
                          : source_.outputNames.empty() ? QString() : source_.outputNames[static_cast<std::size_t>(neuron_.index - 1)];
}

void DecisionMap::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    if (!hasNetwork_ || !QRectF(Plane()).contains(at)) {
        pointerText_->clear();
        return;
    }
    const int decimals = choices_.Decimals();
    const QPointF point = Frame().ToPlane(at);
    std::vector<double> x(static_cast<std::size_t>(snapshot_.inputs), 0.0);
    std::copy_n(plane_.held.begin(), std::min(plane_.held.size(), x.size()), x.begin());
    QString text = QStringLiteral("%1 %2").arg(source_.pointerNames[static_cast<std::size_t>(plane_.across - 1)], RoundedText(point.x(), decimals));
    x[static_cast<std::size_t>(plane_.across - 1)] = point.x();
    if (snapshot_.inputs >= 2) {
        text += QStringLiteral(" · %1 %2").arg(source_.pointerNames[static_cast<std::size_t>(plane_.up - 1)], RoundedText(point.y(), decimals));
        x[static_cast<std::size_t>(plane_.up - 1)] = point.y();
    }
    if (ShowsClasses()) {
        std::vector<double> y(static_cast<std::size_t>(snapshot_.outputs));
        OutputValues(snapshot_, x, y);
        const int k = WinningOutput(y);
        pointerText_->setText(text + (k > 0 ? QStringLiteral(" → clase %1").arg(source_.outputNames[static_cast<std::size_t>(k - 1)])
                                            : QStringLiteral(" → sin clase")));
        return;
    }
    const QString neuron = neuron_.hidden ? QStringLiteral("Oculta%1").arg(neuron_.index) : QStringLiteral("Salida%1").arg(neuron_.index);
    pointerText_->setText(text + QStringLiteral(" → %1 %2").arg(neuron, RoundedText(NeuronValue(snapshot_, neuron_, x), decimals)));
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
    const int inputs = snapshot_.inputs, outputs = snapshot_.outputs;
    source_ = ReadMapSource(state, inputs, outputs);
    classKey_.clear();
    for (int k = 1; k <= outputs; ++k) classKey_.emplace_back(source_.outputNames[static_cast<std::size_t>(k - 1)], ClassColour(k));
    QStringList items(source_.outputNames.begin(), source_.outputNames.end());
    for (int j = 1; j <= snapshot_.hidden; ++j) items << QStringLiteral("Oculta %1 (y%1)").arg(j);
    bool same = neuronChooser_->count() == items.size();
    for (int item = 0; same && item < items.size(); ++item) same = neuronChooser_->itemText(item) == items[item];
    if (!same) {
        neuronChooser_->clear();
        for (int item = 0; item < items.size(); ++item)
            neuronChooser_->addItem(items[item], item < outputs ? item + 1 : outputs - item - 1);
    }
    const int count = neuron_.hidden ? snapshot_.hidden : outputs;
    if (count < 1) neuron_ = {};
    neuron_.index = std::clamp(neuron_.index, 1, std::max(1, count));
    neuronChooser_->setCurrentIndex(neuronChooser_->findData(neuron_.hidden ? -neuron_.index : neuron_.index));
    neuronChooser_->setVisible(hasNetwork_);
    classOption_->setVisible(hasNetwork_ && inputs >= 2 && outputs >= 2);
    neuronChooser_->setEnabled(!ShowsClasses());

    settings_->setVisible(hasNetwork_ && inputs > 2);
    if (inputs > 2) {
        settings_->SetInputs(source_.inputNames, source_.inputRanges);
        const int chosen = choices_.Pattern();
        if (chosen >= 1 && chosen <= static_cast<int>(source_.patterns.size()))
            settings_->FollowPattern(source_.patterns[static_cast<std::size_t>(chosen - 1)].x);
        plane_ = settings_->Plane();
    } else {
        plane_ = MapPlane{1, 2, {}};
    }
    if (snapshot_.function == ftSigmoide) valueRange_ = {0, 1};
    else if (snapshot_.function == ftTangenteHiperbolica) valueRange_ = {-1, 1};
    ShowLegend();
    PlacePlane();
}

void DecisionMap::PlacePlane() {
    if (snapshot_.inputs >= 1) rangeX_ = source_.inputRanges[static_cast<std::size_t>(plane_.across - 1)];
    if (snapshot_.inputs >= 2) rangeY_ = source_.inputRanges[static_cast<std::size_t>(plane_.up - 1)];
    for (Pattern& p : source_.patterns) p.strength = snapshot_.inputs > 2 ? DotStrength(plane_, p.x, source_.inputRanges) : 1.0;
    planeValid_ = false;
    LayOutLines();
    update();
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
    if (ShowsClasses()) {
        ClassGrid(snapshot_, plane_, rangeX_, rangeY_, cells.width(), cells.height(), classes_);
        picture_ = ClassImage(classes_, cells);
        boundaries_ = ClassBoundaries(classes_, cells);
    } else {
        NeuronGrid(snapshot_, neuron_, plane_, rangeX_, rangeY_, cells.width(), cells.height(), values_);
        if (snapshot_.function != ftSigmoide && snapshot_.function != ftTangenteHiperbolica) valueRange_ = ValuesRange(values_);
        picture_ = PlaneImage(values_, cells, valueRange_);
        boundaries_.clear();
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
    const QColor ink = palette().color(QPalette::Text);
    if (snapshot_.inputs >= 2) {
        // Controls shown or hidden above the canvas move the plane without resizing the map.
        if (!planeValid_ || picture_.size() != Cells()) RenderPlane();
        if (linesPlane_ != Plane()) LayOutLines();
        PaintPlane(painter);
        PaintMapAxes(painter, Plane(), rangeX_, rangeY_, source_.inputNames[static_cast<std::size_t>(plane_.across - 1)],
                     source_.inputNames[static_cast<std::size_t>(plane_.up - 1)] + QStringLiteral(" ↑"), ink);
    } else {
        PaintCurve(painter);
        PaintMapAxes(painter, Plane(), rangeX_, rangeY_, source_.inputNames[0], NeuronName() + QStringLiteral(" ↑"), ink);
    }
    if (!ShowsClasses()) PaintValueScale(painter, Plane(), valueRange_, ink);
}

QColor DecisionMap::DotColour(const Pattern& p) const {
    if (ShowsClasses()) return ClassColour(WinningOutput(p.d)).darker(115);
    return ScaleColour(ScaleShare(p.d[static_cast<std::size_t>(DotOutput() - 1)]));
}

void DecisionMap::PaintPlane(QPainter& painter) const {
    const QRect plane = Plane();
    painter.drawImage(plane, picture_);
    PaintClassBoundaries(painter, plane, boundaries_, kCellPixels);
    painter.setRenderHint(QPainter::Antialiasing);
    PaintHiddenLines(painter, plane, lines_, neuron_.hidden ? neuron_.index : 0);
    for (const Pattern& p : source_.patterns) PaintDot(painter, DotAt(p), DotColour(p), p.strength);
    // The frame just outside the cells.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(palette().color(QPalette::Text), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plane.adjusted(-1, -1, 0, 0));
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
    for (const Pattern& p : source_.patterns) shown.push_back(p.d[static_cast<std::size_t>(DotOutput() - 1)]);
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
    for (const Pattern& p : source_.patterns) PaintDot(painter, DotAt(p), DotColour(p), 1.0);
}
