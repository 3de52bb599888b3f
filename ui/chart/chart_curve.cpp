// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart_curve.h"

#include <QtCharts/QLineSeries>

#include <algorithm>
#include <cmath>
#include <iterator>

ChartCurve::ChartCurve(QLineSeries* series, const QString& name) : series_(series) { series_->setName(name); }

void ChartCurve::Clear(std::int64_t firstX) {
    store_.Clear();
    firstX_ = firstX;
    line_.clear();
}

void ChartCurve::TakePointsOf(const ChartCurve& other) {
    store_ = other.store_;
    firstX_ = other.firstX_;
}

void ChartCurve::Fill(double lo, double hi, int columns, bool positiveOnly) {
    const auto first = static_cast<double>(firstX_);
    store_.Envelope(lo - first, hi - first, columns, envelope_);
    line_.clear();
    line_.reserve(static_cast<qsizetype>(envelope_.size()));
    for (const EnvelopeStore::Point& point : envelope_) {
        if (!positiveOnly || point.y > 0.0) line_.append(QPointF(static_cast<double>(point.x + firstX_), point.y));
    }
}

void ChartCurve::Show() { series_->replace(line_); }

void ChartCurve::Hide() { series_->clear(); }

std::optional<QPointF> ChartCurve::NearestTo(double x) const { return NearestPoint(line_, x); }

void ChartCurve::PositiveExtremes(double& low, double& high) const {
    std::vector<EnvelopeStore::Point> held;
    store_.HeldPoints(held);
    for (const EnvelopeStore::Point& point : held) {
        if (!(point.y > 0.0) || !std::isfinite(point.y)) continue;
        low = std::min(low, point.y);
        high = std::max(high, point.y);
    }
}

std::optional<QPointF> NearestPoint(const QList<QPointF>& line, double x) {
    if (line.isEmpty()) return std::nullopt;
    // The first point at or after x, and the one before it: the nearer of the two.
    auto next = std::lower_bound(line.cbegin(), line.cend(), x,
                                 [](const QPointF& point, double value) { return point.x() < value; });
    if (next == line.cend()) return line.back();
    if (next != line.cbegin() && x - std::prev(next)->x() <= next->x() - x) --next;
    return *next;
}
