// SPDX-License-Identifier: GPL-3.0-or-later
#include "error_chart.h"

#include <QGraphicsLayout>
#include <QMouseEvent>
#include <QPen>
#include <QtCharts/QChart>
#include <QtCharts/QLegend>
#include <QtCharts/QLineSeries>
#include <QtCharts/QLogValueAxis>
#include <QtCharts/QValueAxis>

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

namespace {

const QString kTitle = QStringLiteral("Gráfica de errores");

template <typename Axis>
Axis* MakeAxis(const QString& title, const QString& labelFormat) {
    auto* axis = new Axis;
    axis->setTitleText(title);
    axis->setLabelFormat(labelFormat);
    QFont font = axis->titleFont();
    font.setPointSize(7);
    axis->setTitleFont(font);
    font.setBold(false);
    axis->setLabelsFont(font);
    return axis;
}

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
    chart->legend()->hide();
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(2, 2, 6, 2));
    chart->setLocalizeNumbers(true);

    // Drawn first, so the run being watched lies over it.
    keptSeries_ = new QLineSeries;
    keptSeries_->setObjectName(QStringLiteral("keptSeries"));
    keptSeries_->setPen(QPen(QColor(128, 128, 128, 140), 1));
    chart->addSeries(keptSeries_);

    series_ = new QLineSeries;
    series_->setObjectName(QStringLiteral("Series1"));
    series_->setPointsVisible(false);
    series_->setPen(QPen(QColor(128, 0, 64), 1));
    chart->addSeries(series_);

    axisX_ = MakeAxis<QValueAxis>(QStringLiteral("Nº Iteraciones"), QStringLiteral("%.0f"));
    axisX_->setTickCount(3);
    axisY_ = MakeAxis<QValueAxis>(QStringLiteral("% Error"), QStringLiteral("%.4g"));
    logAxisY_ = MakeAxis<QLogValueAxis>(QStringLiteral("% Error"), QStringLiteral("%.3g"));
    logAxisY_->setBase(10);
    logAxisY_->setParent(this);  // until it is shown, when the chart takes it
    chart->addAxis(axisX_, Qt::AlignBottom);
    chart->addAxis(axisY_, Qt::AlignLeft);
    for (QLineSeries* line : {keptSeries_, series_}) {
        line->attachAxis(axisX_);
        line->attachAxis(axisY_);
    }

    FollowPalette();
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::RectangleRubberBand);
    // Only Draw changes what the chart shows, and it asks for the repaint
    // itself once the chart is laid out: left to the scene, each change
    // would repaint the view on its own, and flush the whole window with it.
    setViewportUpdateMode(QGraphicsView::NoViewportUpdate);

    refreshTimer_.setSingleShot(true);
    connect(&refreshTimer_, &QTimer::timeout, this, &ErrorChart::Draw);
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
    for (QValueAxis* axis : {axisX_, axisY_}) {
        axis->setLabelsBrush(colours.color(QPalette::Text));
        axis->setTitleBrush(colours.color(QPalette::Text));
        axis->setLinePenColor(colours.color(QPalette::Text));
        axis->setGridLineColor(colours.color(QPalette::Mid));
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
    store_.Clear();
    kept_.Clear();
    zoomed_ = false;
    Draw();
}

void ErrorChart::KeepCurve() {
    kept_ = store_;
    store_.Clear();
    zoomed_ = false;
    Draw();
}

QAbstractAxis* ErrorChart::YAxis() const {
    return logarithmic_ ? static_cast<QAbstractAxis*>(logAxisY_) : static_cast<QAbstractAxis*>(axisY_);
}

void ErrorChart::SetLogarithmic(bool logarithmic) {
    if (logarithmic == logarithmic_) return;
    settingRanges_ = true;
    QAbstractAxis* shown = YAxis();
    for (QLineSeries* line : {keptSeries_, series_}) line->detachAxis(shown);
    chart()->removeAxis(shown);
    shown->setParent(this);
    logarithmic_ = logarithmic;
    chart()->addAxis(YAxis(), Qt::AlignLeft);
    for (QLineSeries* line : {keptSeries_, series_}) line->attachAxis(YAxis());
    settingRanges_ = false;
    zoomed_ = false;
    Draw();
}

QString ErrorChart::Title() const { return chart()->title(); }

void ErrorChart::ScheduleRefresh() {
    refreshPending_ = true;
    const qint64 waited = sinceDraw_.isValid() ? sinceDraw_.elapsed() : kRefreshIntervalMs;
    refreshTimer_.start(static_cast<int>(std::max<qint64>(0, kRefreshIntervalMs - waited)));
}

void ErrorChart::FitAxesToData() {
    const auto lastX = static_cast<double>(std::max(store_.Count(), kept_.Count()) - 1);
    axisX_->setRange(0.0, std::max(lastX, 1.0));
    // Ticks at whole iterations only: a middle tick needs at least two steps.
    axisX_->setTickCount(lastX >= 2.0 ? 3 : 2);
    if (logarithmic_) {
        // The smallest error above 0 and the largest, over both curves.
        double low = std::numeric_limits<double>::infinity();
        double high = 0.0;
        std::vector<EnvelopeStore::Point> held;
        for (const EnvelopeStore* store : {&store_, &kept_}) {
            store->HeldPoints(held);
            for (const EnvelopeStore::Point& point : held) {
                if (!(point.y > 0.0) || !std::isfinite(point.y)) continue;
                low = std::min(low, point.y);
                high = std::max(high, point.y);
            }
        }
        if (!(high > 0.0)) low = high = 1.0;
        if (!(high > low)) {
            low /= 10.0;
            high *= 10.0;
        }
        logAxisY_->setRange(low, high);
        return;
    }
    double low = 0.0;
    double high = 1.0;
    const bool current = store_.HasValues();
    const bool kept = kept_.HasValues();
    if (current || kept) {
        low = std::min(current ? store_.MinY() : kept_.MinY(), kept ? kept_.MinY() : store_.MinY());
        high = std::max(current ? store_.MaxY() : kept_.MaxY(), kept ? kept_.MaxY() : store_.MaxY());
        // A flat line still needs a visible band around it.
        if (!(high - low > 0.0) || !std::isfinite(high - low)) {
            const double pad = std::max(1.0, std::abs(low) * 0.05);
            low -= pad;
            high += pad;
        }
    }
    axisY_->setRange(low, high);
}

void ErrorChart::Fill(const EnvelopeStore& store, int columns, QList<QPointF>& line) {
    store.Envelope(axisX_->min(), axisX_->max(), columns, envelope_);
    line.clear();
    line.reserve(static_cast<qsizetype>(envelope_.size()));
    for (const EnvelopeStore::Point& point : envelope_) {
        if (!logarithmic_ || point.y > 0.0) line.append(QPointF(static_cast<double>(point.x), point.y));
    }
}

void ErrorChart::Draw() {
    refreshTimer_.stop();
    refreshPending_ = false;
    if (!zoomed_) {
        // Every range change recomputes the line for the points the series
        // holds, and they are about to be replaced: the ranges change over
        // an empty series, so the line is built once, for the new points.
        series_->clear();
        keptSeries_->clear();
        settingRanges_ = true;
        FitAxesToData();
        settingRanges_ = false;
    }
    // New ranges can change the axes' label widths and so the plot area:
    // laid out now, the line is built once, for the columns it will have,
    // and the next repaint shows the chart finished.
    if (QGraphicsLayout* layout = chart()->layout()) layout->activate();
    const int columns = std::max(1, static_cast<int>(chart()->plotArea().width()));
    Fill(kept_, columns, keptVisible_);
    keptSeries_->replace(keptVisible_);
    Fill(store_, columns, visible_);
    series_->replace(visible_);
    viewport()->update();
    sinceDraw_.start();
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
    ShowPointerValue(chart()->mapFromScene(mapToScene(event->position().toPoint())));
}

void ErrorChart::leaveEvent(QEvent* event) {
    QChartView::leaveEvent(event);
    chart()->setTitle(kTitle);
}

// `at` in the chart's own coordinates, those of its plot area.
void ErrorChart::ShowPointerValue(QPointF at) {
    if (visible_.isEmpty() || !chart()->plotArea().contains(at)) {
        chart()->setTitle(kTitle);
        return;
    }
    const double x = chart()->mapToValue(at, series_).x();
    // The drawn points are in ascending x: the nearest is beside where x falls.
    auto next = std::lower_bound(visible_.cbegin(), visible_.cend(), x,
                                 [](const QPointF& point, double value) { return point.x() < value; });
    if (next == visible_.cend() || (next != visible_.cbegin() && x - std::prev(next)->x() < next->x() - x)) --next;
    const QLocale locale;
    chart()->setTitle(QStringLiteral("Iteración %1: %2 %")
                          .arg(locale.toString(static_cast<qint64>(next->x())), locale.toString(next->y(), 'g', 6)));
}

void ErrorChart::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    // The number of pixel columns changed: hand over a fitting set of points.
    refreshPending_ = true;
    refreshTimer_.start(0);
}
