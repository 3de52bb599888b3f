// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One curve of the error chart: its points, kept in bounded memory, the
// iteration its first point belongs to, and the line Qt draws of them for
// the current view. The chart holds a list of curves and treats them alike:
// the run being watched, the kept one, and any further kind of curve.
//
// Two kinds: a point for every iteration (the error of each one, summed up
// in an EnvelopeStore), or points at chosen iterations only, each with the
// epoch it ends ("Error por época": at most about a thousand a run, all kept).

#include "envelope_store.h"

#include <QList>
#include <QPointF>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

QT_FORWARD_DECLARE_CLASS(QLineSeries)

class ChartCurve {
public:
    enum class Kind : std::uint8_t { EveryIteration, PerEpoch };
    // A point of a PerEpoch curve.
    struct EpochPoint {
        std::int64_t x;      // the chart's iteration number
        std::int64_t epoch;  // the epoch of its run that ended there
        double y;            // NaN where the error could not be computed
    };

    // `series` is the chart's, which owns it; `name` is what the legend says.
    ChartCurve(QLineSeries* series, const QString& name, Kind kind = Kind::EveryIteration);

    Kind CurveKind() const { return kind_; }
    QString Name() const;

    EnvelopeStore& Store() { return store_; }
    const EnvelopeStore& Store() const { return store_; }
    QLineSeries* Series() const { return series_; }
    bool Empty() const { return kind_ == Kind::PerEpoch ? epochPoints_.empty() : store_.Count() == 0; }

    // The iteration number of the first point; for EveryIteration the rest
    // follow one by one.
    std::int64_t FirstX() const;
    // One past the iteration number of the last point.
    std::int64_t EndX() const;

    // PerEpoch: adds a point after the others (x beyond the last one's).
    void AppendEpoch(const EpochPoint& point) { epochPoints_.push_back(point); }
    const std::vector<EpochPoint>& EpochPoints() const { return epochPoints_; }
    // Drops every point; the next one belongs to iteration `firstX`.
    void Clear(std::int64_t firstX = 0);
    // Takes the points of `other`, with their iteration numbers.
    void TakePointsOf(const ChartCurve& other);

    // Builds the line for iterations [lo, hi] split into `columns` pixel
    // columns, leaving out errors of 0 or less when `positiveOnly`.
    void Fill(double lo, double hi, int columns, bool positiveOnly);
    // Hands the line built to Qt.
    void Show();
    // Hands Qt an empty line, so that range changes cost nothing.
    void Hide();
    const QList<QPointF>& Line() const { return line_; }

    // The point drawn nearest iteration x, if any is drawn.
    std::optional<QPointF> NearestTo(double x) const;

    // The smallest error above 0 and the largest, over the points held.
    void PositiveExtremes(double& low, double& high) const;
    // Widens [low, high] to the finite errors held.
    void Extremes(double& low, double& high) const;

private:
    Kind kind_;
    EnvelopeStore store_;
    std::vector<EpochPoint> epochPoints_;
    std::int64_t firstX_ = 0;
    QLineSeries* series_;
    std::vector<EnvelopeStore::Point> envelope_;
    QList<QPointF> line_;
};

// Of a line in ascending x, the point whose x is nearest `x` (the earlier
// one on a tie); nothing for an empty line.
std::optional<QPointF> NearestPoint(const QList<QPointF>& line, double x);
