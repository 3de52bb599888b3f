// SPDX-License-Identifier: GPL-3.0-or-later
#include "envelope_store.h"

#include <algorithm>
#include <bit>
#include <emmintrin.h>
#include <limits>

namespace {

// Where in ys[0..n) the value y first occurs; it does occur. Equal here
// holds -0 and 0 alike, as the comparisons that found y did.
std::size_t FirstOf(const double* ys, std::size_t n, double y) {
    const __m128d wanted = _mm_set1_pd(y);
    std::size_t i = 0;
    for (; i + 2 <= n; i += 2) {
        const int found = _mm_movemask_pd(_mm_cmpeq_pd(_mm_loadu_pd(ys + i), wanted));
        if (found != 0) return (found & 1) != 0 ? i : i + 1;
    }
    return i;
}

// Whether ys[0..n) are all finite; if so, the lowest and the highest value.
// They come from four running extremes, two to a register, so that no
// comparison waits for the one before it and no branch depends on the
// values. A NaN, which the extremes pass over, is caught by comparing each
// value with itself; an infinity becomes an extreme.
bool FiniteExtremes(const double* ys, std::size_t n, double& lowest, double& highest) {
    lowest = ys[0];
    highest = ys[0];
    bool unordered = false;
    std::size_t i = 0;
    if (n >= 4) {
        __m128d lo[2] = {_mm_loadu_pd(ys), _mm_loadu_pd(ys + 2)};
        __m128d hi[2] = {lo[0], lo[1]};
        __m128d nan[2] = {_mm_setzero_pd(), _mm_setzero_pd()};
        for (; i + 4 <= n; i += 4) {
            for (int k = 0; k < 2; ++k) {
                const __m128d y = _mm_loadu_pd(ys + i + 2 * k);
                lo[k] = _mm_min_pd(y, lo[k]);
                hi[k] = _mm_max_pd(y, hi[k]);
                nan[k] = _mm_or_pd(nan[k], _mm_cmpunord_pd(y, y));
            }
        }
        double los[4];
        double his[4];
        _mm_storeu_pd(los, lo[0]);
        _mm_storeu_pd(los + 2, lo[1]);
        _mm_storeu_pd(his, hi[0]);
        _mm_storeu_pd(his + 2, hi[1]);
        lowest = std::min({los[0], los[1], los[2], los[3]});
        highest = std::max({his[0], his[1], his[2], his[3]});
        unordered = _mm_movemask_pd(_mm_or_pd(nan[0], nan[1])) != 0;
    }
    for (; i < n; ++i) {
        const double y = ys[i];
        lowest = y < lowest ? y : lowest;
        highest = y > highest ? y : highest;
        unordered = unordered | (y != y);
    }
    return !unordered && std::isfinite(lowest) && std::isfinite(highest);
}

}  // namespace

// Halving merges buckets in pairs, so an odd capacity would lose one.
EnvelopeStore::EnvelopeStore(std::size_t capacity)
    : capacity_(std::bit_floor(std::max<std::size_t>(capacity, 2))) {
    buckets_.reserve(capacity_);
    Clear();
}

void EnvelopeStore::Clear() {
    buckets_.clear();
    folded_ = 0;
    queuedCount_ = 0;
    shift_ = 0;
    minY_ = std::numeric_limits<double>::infinity();
    maxY_ = -std::numeric_limits<double>::infinity();
}

EnvelopeStore::Bucket EnvelopeStore::Merge(const Bucket& a, const Bucket& b) {
    if (b.Empty()) return a;
    if (a.Empty()) return b;
    Bucket merged;
    merged.first = a.first;
    merged.last = b.last;
    // On a tie the earlier point stays, as when the points arrived one by one.
    merged.min = b.min.y < a.min.y ? b.min : a.min;
    merged.max = b.max.y > a.max.y ? b.max : a.max;
    return merged;
}

void EnvelopeStore::Halve() const {
    const std::size_t half = capacity_ / 2;
    for (std::size_t i = 0; i < half; ++i) buckets_[i] = Merge(buckets_[2 * i], buckets_[2 * i + 1]);
    buckets_.resize(half);
    ++shift_;
}

void EnvelopeStore::FoldValues(const double* values, std::size_t n) const {
    std::size_t next = 0;
    while (next < n) {
        auto index = static_cast<std::size_t>(folded_ >> shift_);
        // A bucket opened here is built in registers and stored once.
        const bool opening = index == buckets_.size();
        if (opening && buckets_.size() == capacity_) {
            Halve();
            index = buckets_.size();
        }
        // The stretch of queued values that falls into this one bucket.
        const std::int64_t bucketEnd = static_cast<std::int64_t>(index + 1) << shift_;
        const std::size_t stretch = std::min(n - next, static_cast<std::size_t>(bucketEnd - folded_));
        Bucket bucket = opening ? Bucket{} : buckets_[index];
        const double* ys = values + next;
        double lowest = 0.0;
        double highest = 0.0;
        if (FiniteExtremes(ys, stretch, lowest, highest)) {
            // An extreme is looked for, from the start, only when it is kept:
            // once a bucket has a few stretches, most of them beat neither.
            const auto pointOf = [&](double y) {
                const std::size_t at = FirstOf(ys, stretch, y);
                return Point{folded_ + static_cast<std::int64_t>(at), ys[at]};
            };
            if (bucket.Empty()) {
                bucket.first = Point{folded_, ys[0]};
                bucket.min = pointOf(lowest);
                bucket.max = pointOf(highest);
            } else {
                // On a tie the earlier point stays, as when the points arrived one by one.
                if (lowest < bucket.min.y) bucket.min = pointOf(lowest);
                if (highest > bucket.max.y) bucket.max = pointOf(highest);
            }
            bucket.last = Point{folded_ + static_cast<std::int64_t>(stretch) - 1, ys[stretch - 1]};
        } else {
            for (std::size_t i = 0; i < stretch; ++i) {
                const double y = ys[i];
                if (!std::isfinite(y)) continue;
                const Point p{folded_ + static_cast<std::int64_t>(i), y};
                if (bucket.Empty()) {
                    bucket.first = bucket.min = bucket.max = p;
                } else {
                    if (y < bucket.min.y) bucket.min = p;
                    if (y > bucket.max.y) bucket.max = p;
                }
                bucket.last = p;
            }
        }
        if (!bucket.Empty()) {
            minY_ = std::min(minY_, bucket.min.y);
            maxY_ = std::max(maxY_, bucket.max.y);
        }
        if (opening) {
            buckets_.push_back(bucket);
        } else {
            buckets_[index] = bucket;
        }
        folded_ += static_cast<std::int64_t>(stretch);
        next += stretch;
    }
}

void EnvelopeStore::EmitEnvelope(const Bucket& bucket, std::vector<Point>& out) {
    if (bucket.Empty()) return;
    Point points[] = {bucket.first, bucket.min, bucket.max, bucket.last};
    std::sort(std::begin(points), std::end(points), [](const Point& a, const Point& b) { return a.x < b.x; });
    // Equal x means the same real point, listed under two roles.
    for (const Point& p : points) {
        if (out.empty() || out.back().x != p.x) out.push_back(p);
    }
}

void EnvelopeStore::Envelope(double lo, double hi, int columns, std::vector<Point>& out) const {
    Fold();
    out.clear();
    if (buckets_.empty() || !(lo <= hi)) return;
    const auto last = static_cast<std::int64_t>(buckets_.size()) - 1;
    const auto bucketOf = [&](double x) -> std::int64_t {
        if (!(x > 0)) return 0;
        if (x >= static_cast<double>(folded_)) return last;
        return std::min(last, static_cast<std::int64_t>(x) >> shift_);
    };
    const std::int64_t from = std::max<std::int64_t>(0, bucketOf(lo) - 1);
    const std::int64_t to = std::min(last, bucketOf(std::ceil(hi)) + 1);
    const double width = std::max((hi - lo) / std::max(columns, 1), static_cast<double>(BucketWidth()));

    Bucket group;
    std::int64_t groupColumn = 0;
    bool open = false;
    for (std::int64_t b = from; b <= to; ++b) {
        const auto start = static_cast<double>(b << shift_);
        const auto column = static_cast<std::int64_t>(std::floor((start - lo) / width));
        if (open && column != groupColumn) {
            EmitEnvelope(group, out);
            open = false;
        }
        const Bucket& bucket = buckets_[static_cast<std::size_t>(b)];
        if (open) {
            group = Merge(group, bucket);
        } else {
            group = bucket;
            groupColumn = column;
            open = true;
        }
    }
    if (open) EmitEnvelope(group, out);
}
