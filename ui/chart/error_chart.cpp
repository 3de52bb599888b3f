// SPDX-License-Identifier: GPL-3.0-or-later
#include "error_chart.h"

#include <QGraphicsLayout>
#include <QMouseEvent>
#include <QPen>
#include <QtCharts/QChart>
#include <QtCharts/QLegend>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

QValueAxis* MakeAxis(const QString& title, const QString& labelFormat) {
    auto* axis = new QValueAxis;
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
    chart->setTitle(QStringLiteral("Gráfica de errores"));
    QFont titleFont = chart->titleFont();
    titleFont.setPointSize(8);
    titleFont.setBold(true);
    chart->setTitleFont(titleFont);
    chart->legend()->hide();
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(2, 2, 6, 2));
    chart->setLocalizeNumbers(true);

    series_ = new QLineSeries;
    series_->setObjectName(QStringLiteral("Series1"));
    series_->setPointsVisible(false);
    series_->setPen(QPen(QColor(128, 0, 64), 1));
    chart->addSeries(series_);

    axisX_ = MakeAxis(QStringLiteral("Nº Iteraciones"), QStringLiteral("%.0f"));
    axisX_->setTickCount(3);
    axisY_ = MakeAxis(QStringLiteral("% Error"), QStringLiteral("%.4g"));
    chart->addAxis(axisX_, Qt::AlignBottom);
    chart->addAxis(axisY_, Qt::AlignLeft);
    series_->attachAxis(axisX_);
    series_->attachAxis(axisY_);

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
    Draw();
}

void ErrorChart::Clear() {
    store_.Clear();
    zoomed_ = false;
    Draw();
}

void ErrorChart::ScheduleRefresh() {
    refreshPending_ = true;
    const qint64 waited = sinceDraw_.isValid() ? sinceDraw_.elapsed() : kRefreshIntervalMs;
    refreshTimer_.start(static_cast<int>(std::max<qint64>(0, kRefreshIntervalMs - waited)));
}

void ErrorChart::FitAxesToData() {
    const auto lastX = static_cast<double>(store_.Count() - 1);
    axisX_->setRange(0.0, std::max(lastX, 1.0));
    // Ticks at whole iterations only: a middle tick needs at least two steps.
    axisX_->setTickCount(lastX >= 2.0 ? 3 : 2);
    double low = 0.0;
    double high = 1.0;
    if (store_.HasValues()) {
        low = store_.MinY();
        high = store_.MaxY();
        // A flat line still needs a visible band around it.
        if (!(high - low > 0.0) || !std::isfinite(high - low)) {
            const double pad = std::max(1.0, std::abs(low) * 0.05);
            low -= pad;
            high += pad;
        }
    }
    axisY_->setRange(low, high);
}

void ErrorChart::Draw() {
    refreshTimer_.stop();
    refreshPending_ = false;
    if (!zoomed_) {
        // Every range change recomputes the line for the points the series
        // holds, and they are about to be replaced: the ranges change over
        // an empty series, so the line is built once, for the new points.
        series_->clear();
        settingRanges_ = true;
        FitAxesToData();
        settingRanges_ = false;
    }
    // New ranges can change the axes' label widths and so the plot area:
    // laid out now, the line is built once, for the columns it will have,
    // and the next repaint shows the chart finished.
    if (QGraphicsLayout* layout = chart()->layout()) layout->activate();
    const int columns = std::max(1, static_cast<int>(chart()->plotArea().width()));
    store_.Envelope(axisX_->min(), axisX_->max(), columns, envelope_);
    visible_.resize(static_cast<qsizetype>(envelope_.size()));
    for (std::size_t i = 0; i < envelope_.size(); ++i) {
        visible_[static_cast<qsizetype>(i)] = QPointF(static_cast<double>(envelope_[i].x), envelope_[i].y);
    }
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

void ErrorChart::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    // The number of pixel columns changed: hand over a fitting set of points.
    refreshPending_ = true;
    refreshTimer_.start(0);
}
