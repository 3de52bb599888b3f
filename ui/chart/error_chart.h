// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The training tab's error chart (Chart1 with its one line Series1).
//
// Points live in an EnvelopeStore; Qt Charts only ever holds what the current
// view needs, a few points per pixel column, handed over with one replace()
// when the chart is drawn. Appending during a run therefore costs a store
// update and, once per repaint, the start of a timer.
//
// Mouse: drag a rectangle to zoom in; right click or double click shows all
// points again. While zoomed the view keeps its ranges as points arrive.
// The point under the pointer (iteration, error) shows in the title.
//
// A kept curve (the previous run's, in a muted colour) has a store of its
// own, as bounded as the first; Clear drops it too.

#include "envelope_store.h"

#include <QElapsedTimer>
#include <QList>
#include <QPointF>
#include <QTimer>
#include <QtCharts/QChartView>

#include <span>
#include <vector>

QT_FORWARD_DECLARE_CLASS(QLineSeries)
QT_FORWARD_DECLARE_CLASS(QValueAxis)
QT_FORWARD_DECLARE_CLASS(QLogValueAxis)
QT_FORWARD_DECLARE_CLASS(QAbstractAxis)

class ErrorChart : public QChartView {
    Q_OBJECT

public:
    explicit ErrorChart(QWidget* parent = nullptr);

    // Removes every point, the kept curve's too.
    void Clear();
    // The curve so far becomes the kept curve and the chart starts afresh.
    void KeepCurve();
    const EnvelopeStore& KeptStore() const { return kept_; }

    // A logarithmic error axis, for long runs; the linear one by default.
    // Errors of 0 have no place on it and are left out.
    void SetLogarithmic(bool logarithmic);
    bool Logarithmic() const { return logarithmic_; }

    // What the title shows for the pointer over the plot, or its own text.
    QString Title() const;
    // Adds the point (points held, y) after all others: stores it and only
    // marks the chart for repainting, which happens when messages are next processed.
    void Append(double y) {
        store_.Append(y);
        if (!refreshPending_) ScheduleRefresh();
    }
    void Append(std::span<const double> ys) {
        store_.Append(ys);
        if (!refreshPending_) ScheduleRefresh();
    }
    // Shows every point held as one line, both axes scaled to the data.
    void Draw();

    const EnvelopeStore& Store() const { return store_; }
    QLineSeries* Series1() const { return series_; }
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

private:
    // The canvas, the texts and the grid in the palette's colours, light or dark.
    void FollowPalette();
    void ScheduleRefresh();
    void FitAxesToData();
    // The points of `store` drawn for the current view into `line`.
    void Fill(const EnvelopeStore& store, int columns, QList<QPointF>& line);
    // The line point nearest the pointer's iteration, in the title.
    void ShowPointerValue(QPointF at);
    void OnAxisRangeChanged();

    // The y axis in use: axisY_ or logAxisY_.
    QAbstractAxis* YAxis() const;

    EnvelopeStore store_;
    EnvelopeStore kept_;
    QLineSeries* series_;
    QLineSeries* keptSeries_;
    QValueAxis* axisX_;
    QValueAxis* axisY_;
    QLogValueAxis* logAxisY_;
    bool logarithmic_ = false;
    QTimer refreshTimer_;
    QElapsedTimer sinceDraw_;
    bool refreshPending_ = false;
    bool zoomed_ = false;
    bool settingRanges_ = false;
    std::vector<EnvelopeStore::Point> envelope_;
    QList<QPointF> visible_;
    QList<QPointF> keptVisible_;
};
