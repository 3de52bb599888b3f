// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart_curve.h"

#include <QtCharts/QLineSeries>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

// A PerEpoch curve holds no iteration errors: its store stays at the least size.
constexpr std::size_t kUnusedStoreCapacity = 2;

}  // namespace

ChartCurve::ChartCurve(QLineSeries* series, const QString& name, Kind kind)
    : kind_(kind),
      store_(kind == Kind::PerEpoch ? kUnusedStoreCapacity : EnvelopeStore::kDefaultCapacity),
      series_(series) {
    series_->setName(name);
}

QString ChartCurve::Name() const { return series_->name(); }

std::int64_t ChartCurve::FirstX() const {
    if (kind_ == Kind::PerEpoch) return epochPoints_.empty() ? firstX_ : epochPoints_.front().x;
    return firstX_;
}

std::int64_t ChartCurve::EndX() const {
    if (kind_ == Kind::PerEpoch) return epochPoints_.empty() ? firstX_ : epochPoints_.back().x + 1;
    return firstX_ + store_.Count();
}

void ChartCurve::Clear(std::int64_t firstX) {
    store_.Clear();
    epochPoints_.clear();
    firstX_ = firstX;
    line_.clear();
}

void ChartCurve::TakePointsOf(const ChartCurve& other) {
    store_ = other.store_;
    epochPoints_ = other.epochPoints_;
    firstX_ = other.firstX_;
}

void ChartCurve::Fill(double lo, double hi, int columns, bool positiveOnly) {
    if (kind_ == Kind::PerEpoch) {
        // Few points: every one in view is drawn, with its neighbour beyond
        // each edge, so the line reaches the edges of a zoomed view.
        line_.clear();
        const auto begin = std::lower_bound(epochPoints_.cbegin(), epochPoints_.cend(), lo,
                                            [](const EpochPoint& p, double x) { return static_cast<double>(p.x) < x; });
        const auto end = std::upper_bound(begin, epochPoints_.cend(), hi,
                                          [](double x, const EpochPoint& p) { return x < static_cast<double>(p.x); });
        const auto first = begin == epochPoints_.cbegin() ? begin : std::prev(begin);
        const auto last = end == epochPoints_.cend() ? end : std::next(end);
        for (auto p = first; p != last; ++p) {
            if (std::isnan(p->y) || (positiveOnly && !(p->y > 0.0))) continue;
            line_.append(QPointF(static_cast<double>(p->x), p->y));
        }
        return;
    }
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
    if (kind_ == Kind::PerEpoch) {
        for (const EpochPoint& point : epochPoints_) held.push_back({point.x, point.y});
    } else {
        store_.HeldPoints(held);
    }
    for (const EnvelopeStore::Point& point : held) {
        if (!(point.y > 0.0) || !std::isfinite(point.y)) continue;
        low = std::min(low, point.y);
        high = std::max(high, point.y);
    }
}

void ChartCurve::Extremes(double& low, double& high) const {
    if (kind_ == Kind::EveryIteration) {
        if (!store_.HasValues()) return;
        low = std::min(low, store_.MinY());
        high = std::max(high, store_.MaxY());
        return;
    }
    for (const EpochPoint& point : epochPoints_) {
        if (!std::isfinite(point.y)) continue;
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
