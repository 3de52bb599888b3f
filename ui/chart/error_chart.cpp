// SPDX-License-Identifier: GPL-3.0-or-later
#include "error_chart.h"

#include "axis_ticks.h"
#include "number_texts.h"

#include <QGraphicsLayout>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPen>
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QChart>
#include <QtCharts/QLegend>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QLogValueAxis>
#include <QtCharts/QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace {

const QString kTitle = QStringLiteral("Gráfica de errores");
const QString kIterationAxisTitle = QStringLiteral("% Error");
const QString kEpochAxisTitle = QStringLiteral("Error cuadrático medio");

// A label of the iteration axis takes about this many pixels with the room around it.
constexpr int kIterationLabelWidth = 80;

template <typename Axis>
Axis* MakeAxis(const QString& title) {
    auto* axis = new Axis;
    axis->setTitleText(title);
    QFont font = axis->titleFont();
    font.setPointSize(7);
    axis->setTitleFont(font);
    font.setBold(false);
    axis->setLabelsFont(font);
    return axis;
}

QPen KeptPen(const QColor& colour) {
    QPen pen(colour, 1, Qt::DashLine);
    return pen;
}

QLineSeries* MakeLine(const char* name, const QPen& pen) {
    auto* line = new QLineSeries;
    line->setObjectName(QLatin1String(name));
    line->setPointsVisible(false);
    line->setPen(pen);
    return line;
}

QString IterationText(double x) { return FormattedNumber(DisplayFormat("#,##0"), static_cast<long double>(x)); }

}  // namespace

// Given its chart at construction: a view made without one makes a chart of
// its own, which setChart would release and leave to the caller.
ErrorChart::ErrorChart(QWidget* parent) : QChartView(new QChart, parent) {
    setObjectName(QStringLiteral("Chart1"));
    QChart* chart = this->chart();
    chart->setTitle(kTitle);
    QFont titleFont = chart->titleFont();
    titleFont.setPointSize(8);
    titleFont.setBold(true);
    chart->setTitleFont(titleFont);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(2, 2, 6, 2));
    chart->setLocalizeNumbers(true);
    QLegend* legend = chart->legend();
    legend->setAlignment(Qt::AlignBottom);
    QFont legendFont = legend->font();
    legendFont.setPointSize(7);
    legend->setFont(legendFont);

    using Kind = ChartCurve::Kind;
    const QColor training(0, 90, 170);
    const QColor test(215, 100, 0);
    curves_.reserve(6);
    curves_.emplace_back(MakeLine("keptSeries", QPen(QColor(128, 128, 128, 140), 1)), QStringLiteral("Curva conservada"));
    curves_.emplace_back(MakeLine("Series1", QPen(QColor(128, 0, 64), 1)), QStringLiteral("Error por iteración"));
    curves_.emplace_back(MakeLine("keptTrainingSeries", KeptPen(training)),
                         QStringLiteral("Entrenamiento conservado"), Kind::PerEpoch);
    curves_.emplace_back(MakeLine("keptTestSeries", KeptPen(test)), QStringLiteral("Prueba conservada"),
                         Kind::PerEpoch);
    curves_.emplace_back(MakeLine("trainingSeries", QPen(training, 1)), QStringLiteral("Error de entrenamiento"),
                         Kind::PerEpoch);
    curves_.emplace_back(MakeLine("testSeries", QPen(test, 1)), QStringLiteral("Error de prueba"), Kind::PerEpoch);
    for (const ChartCurve& curve : curves_) chart->addSeries(curve.Series());

    axisX_ = MakeAxis<QCategoryAxis>(QStringLiteral("Nº Iteraciones"));
    axisX_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axisY_ = MakeAxis<QValueAxis>(kIterationAxisTitle);
    axisY_->setLabelFormat(QStringLiteral("%.4g"));
    logAxisY_ = MakeAxis<QLogValueAxis>(kIterationAxisTitle);
    logAxisY_->setLabelFormat(QStringLiteral("%.3g"));
    logAxisY_->setParent(this);  // until it is shown, when the chart takes it
    chart->addAxis(axisX_, Qt::AlignBottom);
    chart->addAxis(axisY_, Qt::AlignLeft);
    for (const ChartCurve& curve : curves_) {
        curve.Series()->attachAxis(axisX_);
        curve.Series()->attachAxis(axisY_);
    }

    // A widget of its own over the plot: it repaints on every move, which
    // the chart's scene, repainted only by Draw, would not.
    readOut_ = new QLabel(this);
    readOut_->setObjectName(QStringLiteral("chartReadOut"));
    readOut_->setAttribute(Qt::WA_TransparentForMouseEvents);
    readOut_->setAutoFillBackground(true);
    readOut_->setBackgroundRole(QPalette::Base);
    readOut_->setForegroundRole(QPalette::Text);
    readOut_->setFrameShape(QFrame::Box);
    readOut_->setMargin(1);
    QFont readOutFont = readOut_->font();
    readOutFont.setPointSize(7);
    readOut_->setFont(readOutFont);
    readOut_->hide();

    FollowPalette();
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::RectangleRubberBand);
    // Only Draw changes what the chart shows, and it asks for the repaint
    // itself once the chart is laid out: left to the scene, each change
    // would repaint the view on its own, and flush the whole window with it.
    setViewportUpdateMode(QGraphicsView::NoViewportUpdate);

    refreshTimer_.setSingleShot(true);
    connect(&refreshTimer_, &QTimer::timeout, this, &ErrorChart::Refresh);
    connect(axisX_, &QValueAxis::rangeChanged, this, &ErrorChart::OnAxisRangeChanged);
    connect(axisY_, &QValueAxis::rangeChanged, this, &ErrorChart::OnAxisRangeChanged);
    connect(logAxisY_, &QLogValueAxis::rangeChanged, this, &ErrorChart::OnAxisRangeChanged);
    viewport()->setMouseTracking(true);
    Draw();
}

void ErrorChart::FollowPalette() {
    const QPalette colours = palette();
    QChart* chart = this->chart();
    chart->setBackgroundBrush(colours.color(QPalette::Base));
    chart->setTitleBrush(colours.color(QPalette::Text));
    chart->legend()->setLabelColor(colours.color(QPalette::Text));
    for (QAbstractAxis* axis : {static_cast<QAbstractAxis*>(axisX_), static_cast<QAbstractAxis*>(axisY_),
                                static_cast<QAbstractAxis*>(logAxisY_)}) {
        axis->setLabelsBrush(colours.color(QPalette::Text));
        axis->setTitleBrush(colours.color(QPalette::Text));
        axis->setLinePenColor(colours.color(QPalette::Text));
        axis->setGridLineColor(colours.color(QPalette::Mid));
        axis->setMinorGridLineColor(colours.color(QPalette::Midlight));
    }
    setBackgroundBrush(colours.color(QPalette::Window));
}

void ErrorChart::changeEvent(QEvent* event) {
    QChartView::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        FollowPalette();
        ScheduleRefresh();
    }
}

void ErrorChart::Clear() {
    for (const CurveIndex run : {kRun, kTraining, kTest}) curves_[run].Clear();
    zoomed_ = false;
    Draw();
}

void ErrorChart::KeepCurve() {
    for (const auto& [kept, run] : {std::pair{kKept, kRun}, {kKeptTraining, kTraining}, {kKeptTest, kTest}})
        curves_[kept].TakePointsOf(curves_[run]);
    for (const CurveIndex run : {kTraining, kTest}) curves_[run].Clear();
    Run().Clear(Run().EndX());
    zoomed_ = false;
    Draw();
}

void ErrorChart::ClearKept() {
    for (const CurveIndex kept : {kKept, kKeptTraining, kKeptTest}) curves_[kept].Clear();
    zoomed_ = false;
    Draw();
}

void ErrorChart::SetEpochErrors(bool shown) {
    if (shown == epochErrors_) return;
    epochErrors_ = shown;
    const QString title = shown ? kEpochAxisTitle : kIterationAxisTitle;
    axisY_->setTitleText(title);
    logAxisY_->setTitleText(title);
    zoomed_ = false;
    Draw();
}

void ErrorChart::AppendEpochErrors(std::int64_t epoch, std::int64_t x, double training, double test) {
    curves_[kTraining].AppendEpoch({x, epoch, training});
    if (!std::isnan(test)) curves_[kTest].AppendEpoch({x, epoch, test});
    if (!refreshPending_) ScheduleRefresh();
}

bool ErrorChart::Shown(const ChartCurve& curve) const {
    return (curve.CurveKind() == ChartCurve::Kind::PerEpoch) == epochErrors_;
}

QAbstractAxis* ErrorChart::YAxis() const {
    return logarithmic_ ? static_cast<QAbstractAxis*>(logAxisY_) : static_cast<QAbstractAxis*>(axisY_);
}

void ErrorChart::SetLogarithmic(bool logarithmic) {
    if (logarithmic == logarithmic_) return;
    settingRanges_ = true;
    QAbstractAxis* shown = YAxis();
    for (const ChartCurve& curve : curves_) curve.Series()->detachAxis(shown);
    // Hidden first: the chart deletes the axis' labels only later, and the
    // repaint below must not draw them beside the new ones.
    shown->setVisible(false);
    chart()->removeAxis(shown);
    shown->setParent(this);
    logarithmic_ = logarithmic;
    YAxis()->setVisible(true);
    chart()->addAxis(YAxis(), Qt::AlignLeft);
    for (const ChartCurve& curve : curves_) curve.Series()->attachAxis(YAxis());
    settingRanges_ = false;
    zoomed_ = false;
    Draw();
}

QString ErrorChart::ReadOut() const { return readOut_->isVisible() ? readOut_->text() : QString(); }

void ErrorChart::ScheduleRefresh() {
    refreshPending_ = true;
    const qint64 waited = sinceDraw_.isValid() ? sinceDraw_.elapsed() : kRefreshIntervalMs;
    refreshTimer_.start(static_cast<int>(std::max<qint64>(0, kRefreshIntervalMs - waited)));
}

void ErrorChart::FitAxesToData() {
    double firstX = std::numeric_limits<double>::infinity();
    double lastX = 0.0;
    for (const ChartCurve& curve : curves_) {
        if (curve.Empty() || !Shown(curve)) continue;
        firstX = std::min(firstX, static_cast<double>(curve.FirstX()));
        lastX = std::max(lastX, static_cast<double>(curve.EndX() - 1));
    }
    if (!std::isfinite(firstX)) firstX = 0.0;
    axisX_->setRange(firstX, std::max(lastX, firstX + 1.0));
    if (logarithmic_) {
        double low = std::numeric_limits<double>::infinity();
        double high = 0.0;
        for (const ChartCurve& curve : curves_)
            if (Shown(curve)) curve.PositiveExtremes(low, high);
        if (!(high > 0.0)) low = high = 1.0;
        if (!(high > low)) {
            low /= 10.0;
            high *= 10.0;
        }
        const double base = LogAxisBase(low, high);
        logAxisY_->setBase(base);
        // Base 10 labels the powers of ten only: the lines between them help the eye.
        logAxisY_->setMinorTickCount(base == 10.0 ? 8 : 0);
        logAxisY_->setRange(low, high);
        return;
    }
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    for (const ChartCurve& curve : curves_)
        if (Shown(curve)) curve.Extremes(low, high);
    if (!(low <= high)) {
        low = 0.0;
        high = 1.0;
    } else if (!(high - low > 0.0) || !std::isfinite(high - low)) {
        // A flat line still needs a visible band around it.
        const double pad = std::max(1.0, std::abs(low) * 0.05);
        low -= pad;
        high += pad;
    }
    axisY_->setRange(low, high);
}

void ErrorChart::LabelIterations() {
    const double lo = axisX_->min();
    const double hi = axisX_->max();
    for (const QString& label : axisX_->categoriesLabels()) axisX_->remove(label);
    axisX_->setStartValue(lo);
    const int most = std::max(2, static_cast<int>(chart()->plotArea().width()) / kIterationLabelWidth);
    for (const double tick : IterationTicks(lo, hi, most)) axisX_->append(IterationText(tick), tick);
    axisX_->setRange(lo, hi);
}

void ErrorChart::UpdateLegend() {
    for (const ChartCurve& curve : curves_) {
        for (QLegendMarker* marker : chart()->legend()->markers(curve.Series())) marker->setVisible(Shown(curve) && !curve.Empty());
    }
}

void ErrorChart::Refresh() {
    if (window()->isVisible() && !isVisible()) {
        refreshPending_ = false;
        drawOnShow_ = true;
        sinceDraw_.start();
        emit Drawn();
        return;
    }
    Draw();
}

void ErrorChart::showEvent(QShowEvent* event) {
    QChartView::showEvent(event);
    if (drawOnShow_) Draw();
}

void ErrorChart::Draw() {
    drawOnShow_ = false;
    refreshTimer_.stop();
    refreshPending_ = false;
    settingRanges_ = true;
    if (!zoomed_) {
        // Every range change recomputes the line for the points the series
        // holds, and they are about to be replaced: the ranges change over
        // empty series, so each line is built once, for the new points.
        for (ChartCurve& curve : curves_) curve.Hide();
        FitAxesToData();
    }
    LabelIterations();
    settingRanges_ = false;
    UpdateLegend();
    // New ranges can change the axes' label widths and so the plot area:
    // laid out now, the lines are built once, for the columns they will
    // have, and the next repaint shows the chart finished.
    if (QGraphicsLayout* layout = chart()->layout()) layout->activate();
    const int columns = std::max(1, static_cast<int>(chart()->plotArea().width()));
    for (ChartCurve& curve : curves_) {
        if (!Shown(curve)) {
            curve.Hide();
            continue;
        }
        curve.Fill(axisX_->min(), axisX_->max(), columns, logarithmic_);
        curve.Show();
    }
    viewport()->update();
    sinceDraw_.start();
    // The read-out follows the lines under a pointer that stays still.
    if (readOut_->isVisible()) ShowPointerValue(pointer_);
    emit Drawn();
}

void ErrorChart::ResetZoom() {
    zoomed_ = false;
    // Drops the chart's own zoom history; Draw then sets the ranges.
    settingRanges_ = true;
    chart()->zoomReset();
    settingRanges_ = false;
    Draw();
}

void ErrorChart::OnAxisRangeChanged() {
    if (settingRanges_) return;
    // Only a zoom moves the axes besides Draw: fetch the points of the new view.
    zoomed_ = true;
    refreshPending_ = true;
    refreshTimer_.start(0);
}

void ErrorChart::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QChartView::mousePressEvent(event);
}

void ErrorChart::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        ResetZoom();
        event->accept();
        return;
    }
    QChartView::mouseReleaseEvent(event);
}

void ErrorChart::mouseDoubleClickEvent(QMouseEvent* event) {
    ResetZoom();
    event->accept();
}

void ErrorChart::mouseMoveEvent(QMouseEvent* event) {
    QChartView::mouseMoveEvent(event);
    pointer_ = chart()->mapFromScene(mapToScene(event->position().toPoint()));
    ShowPointerValue(pointer_);
}

void ErrorChart::leaveEvent(QEvent* event) {
    QChartView::leaveEvent(event);
    readOut_->hide();
}

// `at` in the chart's own coordinates, those of its plot area.
void ErrorChart::ShowPointerValue(QPointF at) {
    const QRectF plot = chart()->plotArea();
    if (!plot.contains(at)) {
        readOut_->hide();
        return;
    }
    const double x = chart()->mapToValue(at, Run().Series()).x();
    if (epochErrors_) {
        QPointF point;
        const ChartCurve* curve = NearestEpochCurve(at, x, point);
        if (!curve) {
            readOut_->hide();
            return;
        }
        readOut_->setText(QStringLiteral("Iteración %1: %2 (%3)")
                              .arg(IterationText(point.x()), QLocale().toString(point.y(), 'g', 6), curve->Name()));
        PlaceReadOut(at);
        return;
    }
    // The run's curve where it is drawn; before its first point, the kept one.
    const ChartCurve& run = Run();
    const ChartCurve& kept = Kept();
    const bool onKept = run.Line().isEmpty() || (!kept.Line().isEmpty() && x < run.Line().front().x());
    const std::optional<QPointF> point = (onKept ? kept : run).NearestTo(x);
    if (!point) {
        readOut_->hide();
        return;
    }
    readOut_->setText(QStringLiteral("Iteración %1: %2 %")
                          .arg(IterationText(point->x()), QLocale().toString(point->y(), 'g', 6)) +
                      (onKept ? QStringLiteral(" (conservada)") : QString()));
    PlaceReadOut(at);
}

const ChartCurve* ErrorChart::NearestEpochCurve(QPointF at, double x, QPointF& point) const {
    const ChartCurve* nearest = nullptr;
    double nearestDistance = std::numeric_limits<double>::infinity();
    for (const ChartCurve& curve : curves_) {
        if (!Shown(curve)) continue;
        const std::optional<QPointF> candidate = curve.NearestTo(x);
        if (!candidate) continue;
        const QPointF offset = chart()->mapToPosition(*candidate, curve.Series()) - at;
        const double distance = std::hypot(offset.x(), offset.y());
        // On a tie the later curve, drawn over the earlier, wins.
        if (distance <= nearestDistance) {
            nearestDistance = distance;
            nearest = &curve;
            point = *candidate;
        }
    }
    return nearest;
}

void ErrorChart::PlaceReadOut(QPointF at) {
    const QRectF plot = chart()->plotArea();
    readOut_->adjustSize();
    // In the plot's top corner away from the pointer, so it never hides
    // the point being read.
    const QRect area = mapFromScene(chart()->mapToScene(plot)).boundingRect().translated(viewport()->pos());
    const bool pointerOnRight = at.x() > plot.center().x();
    const int left = pointerOnRight ? area.left() + 2 : area.right() - readOut_->width() - 2;
    readOut_->move(left, area.top() + 2);
    readOut_->show();
    readOut_->raise();
}

void ErrorChart::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    // The number of pixel columns changed: hand over a fitting set of points.
    refreshPending_ = true;
    refreshTimer_.start(0);
}
