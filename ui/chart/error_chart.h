// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The training tab's error chart (Chart1 with its line Series1).
//
// Its curves (the run being watched, and the kept one) are ChartCurves,
// each with its points in an EnvelopeStore; Qt Charts only ever holds what
// the current view needs, a few points per pixel column, handed over with
// one replace() when the chart is drawn. Appending during a run therefore
// costs a store update and, once per repaint, the start of a timer. A curve
// is drawn at its true iteration numbers: a run that continues the one kept
// begins where that one ended.
//
// Mouse: drag a rectangle to zoom in; right click or double click shows all
// points again. While zoomed the view keeps its ranges as points arrive.
// The point under the pointer (iteration, error) shows in a read-out inside
// the plot, in the corner away from the pointer, on every move.
//
// A legend names the curves. The kept curve (a muted colour) stays through
// new runs, "Reiniciar" and new networks until ClearKept.

#include "chart_curve.h"
#include "envelope_store.h"

#include <QElapsedTimer>
#include <QPointF>
#include <QTimer>
#include <QtCharts/QChartView>

#include <span>
#include <vector>

QT_FORWARD_DECLARE_CLASS(QLabel)
QT_FORWARD_DECLARE_CLASS(QLineSeries)
QT_FORWARD_DECLARE_CLASS(QCategoryAxis)
QT_FORWARD_DECLARE_CLASS(QValueAxis)
QT_FORWARD_DECLARE_CLASS(QLogValueAxis)
QT_FORWARD_DECLARE_CLASS(QAbstractAxis)

class ErrorChart : public QChartView {
    Q_OBJECT

public:
    explicit ErrorChart(QWidget* parent = nullptr);

    // Removes every point of the run's curve; the next one is iteration 0.
    void Clear();
    // The curve so far becomes the kept curve; the run's curve starts afresh
    // at the iteration after its last.
    void KeepCurve();
    // "Borrar curva conservada".
    void ClearKept();
    const EnvelopeStore& KeptStore() const { return Kept().Store(); }

    // A logarithmic error axis, for long runs; the linear one by default.
    // Errors of 0 have no place on it and are left out.
    void SetLogarithmic(bool logarithmic);
    bool Logarithmic() const { return logarithmic_; }

    // The read-out for the pointer over the plot; empty when it shows none.
    QString ReadOut() const;
    // Adds the point (iteration after the last, y) to the run's curve:
    // stores it and only marks the chart for repainting, which happens when
    // messages are next processed.
    void Append(double y) {
        Run().Store().Append(y);
        if (!refreshPending_) ScheduleRefresh();
    }
    void Append(std::span<const double> ys) {
        Run().Store().Append(ys);
        if (!refreshPending_) ScheduleRefresh();
    }
    // Shows every point held as lines, both axes scaled to the data.
    void Draw();

    // The run's curve: its points, and the iteration number of its first.
    const EnvelopeStore& Store() const { return Run().Store(); }
    std::int64_t FirstIteration() const { return Run().FirstX(); }
    QLineSeries* Series1() const { return Run().Series(); }
    bool Zoomed() const { return zoomed_; }
    // Leaves the zoom and shows every point again.
    void ResetZoom();

    // Repaints during a run come at most this often, four times a second: the
    // line still moves smoothly enough to follow, and each repaint (axes laid
    // out again, the chart and the views that follow it painted) is a share
    // of the run's time taken from training.
    static constexpr int kRefreshIntervalMs = 250;

signals:
    // After each draw: views that follow a run refresh at the chart's pace.
    void Drawn();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Drawn in this order, so the run lies over the kept curve.
    enum CurveIndex { kKept, kRun };
    ChartCurve& Run() { return curves_[kRun]; }
    const ChartCurve& Run() const { return curves_[kRun]; }
    const ChartCurve& Kept() const { return curves_[kKept]; }

    // The canvas, the texts and the grid in the palette's colours, light or dark.
    void FollowPalette();
    void ScheduleRefresh();
    // A refresh due: drawn now, or, behind another tab of a window on
    // screen, when the chart is shown again; the views that follow the
    // chart's pace hear of it either way.
    void Refresh();
    void FitAxesToData();
    // The iteration labels for the x axis' present range.
    void LabelIterations();
    // The read-out for the pointer at `at`, in the chart's own coordinates.
    void ShowPointerValue(QPointF at);
    void OnAxisRangeChanged();
    // Every curve's legend entry shown only while it has points.
    void UpdateLegend();

    // The y axis in use: axisY_ or logAxisY_.
    QAbstractAxis* YAxis() const;

    std::vector<ChartCurve> curves_;
    QCategoryAxis* axisX_;
    QValueAxis* axisY_;
    QLogValueAxis* logAxisY_;
    QLabel* readOut_;
    QPointF pointer_;  // where the pointer last moved, in the chart's coordinates
    bool logarithmic_ = false;
    QTimer refreshTimer_;
    QElapsedTimer sinceDraw_;
    bool refreshPending_ = false;
    bool drawOnShow_ = false;
    bool zoomed_ = false;
    bool settingRanges_ = false;
};
