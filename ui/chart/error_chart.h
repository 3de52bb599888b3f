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
//
// "Error por época" shows, in place of the error of each iteration, the
// errors of the training and the test set after the epochs a run measured
// (with their kept pair); both kinds are held all the time, so switching
// between them loses nothing.

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

    // Removes every point of the run's curves; the next one is iteration 0.
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

    // "Error por época": the per-epoch curves instead of the per-iteration ones.
    void SetEpochErrors(bool shown);
    bool EpochErrors() const { return epochErrors_; }
    // Adds the errors of both sets after `epoch` of a run, at the chart's
    // iteration number x; a NaN test error (no test patterns) adds no test point.
    void AppendEpochErrors(std::int64_t epoch, std::int64_t x, double training, double test);
    // The run's per-epoch curves.
    const ChartCurve& TrainingEpochs() const { return curves_[kTraining]; }
    const ChartCurve& TestEpochs() const { return curves_[kTest]; }
    // The iteration number the run's next point will have.
    std::int64_t NextIteration() const { return Run().EndX(); }

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
    // Drawn in this order, so each run lies over the kept curves.
    enum CurveIndex { kKept, kRun, kKeptTraining, kKeptTest, kTraining, kTest };
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
    // Sizes the read-out and puts it in the plot's corner away from `at`.
    void PlaceReadOut(QPointF at);
    void OnAxisRangeChanged();
    // Every curve's legend entry shown only while it has points.
    void UpdateLegend();

    // The y axis in use: axisY_ or logAxisY_.
    QAbstractAxis* YAxis() const;
    // Whether a curve is of the kind on show.
    bool Shown(const ChartCurve& curve) const;
    // The read-out's curve and point in "Error por época": of the shown
    // curves' points nearest iteration x, the one nearest the pointer.
    const ChartCurve* NearestEpochCurve(QPointF at, double x, QPointF& point) const;

    std::vector<ChartCurve> curves_;
    QCategoryAxis* axisX_;
    QValueAxis* axisY_;
    QLogValueAxis* logAxisY_;
    QLabel* readOut_;
    QPointF pointer_;  // where the pointer last moved, in the chart's coordinates
    bool logarithmic_ = false;
    bool epochErrors_ = false;
    QTimer refreshTimer_;
    QElapsedTimer sinceDraw_;
    bool refreshPending_ = false;
    bool drawOnShow_ = false;
    bool zoomed_ = false;
    bool settingRanges_ = false;
};
