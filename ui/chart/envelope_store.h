// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The points of the error chart, kept in bounded memory.
//
// Points arrive in order with x = 0, 1, 2, ...; every one is counted, but
// only an envelope is kept for each bucket of consecutive x: its first,
// lowest, highest and last point, each with its real x. When all buckets are
// in use, neighbours merge in pairs and the bucket width doubles, so memory
// stays flat however long a run is, and what is drawn from the buckets at any
// zoom is made of real points and reaches every extreme of the real series.
// No Qt here, so the store is tested and measured on its own.
//
// Appending only queues the value; queued values are folded into the
// buckets in batches, in a loop that keeps one bucket at hand, whenever the
// queue is full or the store is asked about its contents. Folding changes
// nothing a caller can observe, so the queries stay const.

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

class EnvelopeStore {
public:
    struct Point {
        std::int64_t x;
        double y;
    };

    // 2^14 buckets: many more than a chart has pixel columns even in a
    // maximised window, so zooming in to a fifth of a run still shows every
    // column's extremes, and 1 MB however many points arrive, which stays in
    // the processor's cache beside the training loop: with 2 MB of buckets,
    // folding and halving them took a share of a window run's time several
    // times their own.
    static constexpr std::size_t kDefaultCapacity = std::size_t{1} << 14;

    // capacity: the most buckets kept, taken down to a power of two (at least 2).
    explicit EnvelopeStore(std::size_t capacity = kDefaultCapacity);

    void Clear();

    // Adds the point (Count(), y). A y that is not finite is counted but
    // cannot be drawn, so it is left out of the envelope.
    void Append(double y) {
        queued_[queuedCount_] = y;
        if (++queuedCount_ == queued_.size()) Fold();
    }
    // Adds the points in order, as many Appends would.
    void Append(std::span<const double> ys) {
        Fold();
        FoldValues(ys.data(), ys.size());
    }

    std::int64_t Count() const { return folded_ + static_cast<std::int64_t>(queuedCount_); }
    // Consecutive x values that share one bucket: 1 until the store first fills.
    std::int64_t BucketWidth() const {
        Fold();
        return std::int64_t{1} << shift_;
    }
    std::size_t BucketsInUse() const {
        Fold();
        return buckets_.size();
    }

    // Whether any finite y was appended; MinY/MaxY are meaningful only then.
    bool HasValues() const { return MinY() <= MaxY(); }
    double MinY() const {
        Fold();
        return minY_;
    }
    double MaxY() const {
        Fold();
        return maxY_;
    }

    // Replaces out with the points that draw, as one line in ascending x, the
    // stored points with x in [lo, hi] split into `columns` equal columns: per
    // column (never narrower than a bucket) the first, lowest, highest and
    // last point. One bucket beyond each end is included so the line runs on
    // to the edge of the view.
    void Envelope(double lo, double hi, int columns, std::vector<Point>& out) const;
    // Every point held: each bucket's envelope, in ascending x.
    void HeldPoints(std::vector<Point>& out) const {
        Envelope(0, static_cast<double>(Count()), static_cast<int>(BucketsInUse()), out);
    }

private:
    // first.x < 0 marks a bucket that has no finite point yet.
    struct Bucket {
        Point first{-1, 0.0};
        Point min{-1, 0.0};
        Point max{-1, 0.0};
        Point last{-1, 0.0};
        bool Empty() const { return first.x < 0; }
    };

    static Bucket Merge(const Bucket& a, const Bucket& b);
    static void EmitEnvelope(const Bucket& bucket, std::vector<Point>& out);
    // Moves the queued values into the buckets.
    void Fold() const {
        FoldValues(queued_.data(), queuedCount_);
        queuedCount_ = 0;
    }
    // Puts ys[0..n) into the buckets, as the points after those folded.
    void FoldValues(const double* ys, std::size_t n) const;
    // Merges neighbours in pairs, doubling the bucket width.
    void Halve() const;

    // Big enough that folding runs in long stretches, small enough to stay
    // in the first-level cache.
    static constexpr std::size_t kQueueSize = 512;

    std::size_t capacity_;
    // Folding is a cache refill: the buckets, the folded count and the
    // extremes change, what the store holds does not.
    mutable std::vector<Bucket> buckets_;
    mutable std::int64_t folded_ = 0;
    mutable int shift_ = 0;
    mutable double minY_;
    mutable double maxY_;
    mutable std::array<double, kQueueSize> queued_{};
    mutable std::size_t queuedCount_ = 0;
};
