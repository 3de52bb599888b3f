#include "envelope_store.h"

#include <algorithm>
#include <bit>
#include <limits>

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

std::size_t EnvelopeStore::OpenBucket() const {
    if (buckets_.size() == capacity_) {
        const std::size_t half = capacity_ / 2;
        for (std::size_t i = 0; i < half; ++i) buckets_[i] = Merge(buckets_[2 * i], buckets_[2 * i + 1]);
        buckets_.resize(half);
        ++shift_;
    }
    buckets_.emplace_back();
    return buckets_.size() - 1;
}

void EnvelopeStore::Fold() const {
    std::size_t next = 0;
    while (next < queuedCount_) {
        std::size_t index = static_cast<std::size_t>(folded_ >> shift_);
        if (index == buckets_.size()) index = OpenBucket();
        // The stretch of queued values that falls into this one bucket.
        const std::int64_t bucketEnd = static_cast<std::int64_t>(index + 1) << shift_;
        const std::size_t stretch = std::min(queuedCount_ - next, static_cast<std::size_t>(bucketEnd - folded_));
        Bucket bucket = buckets_[index];
        for (std::size_t i = 0; i < stretch; ++i) {
            const double y = queued_[next + i];
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
        if (!bucket.Empty()) {
            minY_ = std::min(minY_, bucket.min.y);
            maxY_ = std::max(maxY_, bucket.max.y);
        }
        buckets_[index] = bucket;
        folded_ += static_cast<std::int64_t>(stretch);
        next += stretch;
    }
    queuedCount_ = 0;
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
