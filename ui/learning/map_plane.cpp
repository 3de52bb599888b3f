// SPDX-License-Identifier: GPL-3.0-or-later
#include "map_plane.h"

#include "value_colours.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

QRgb NoValueColour() { return qRgb(160, 160, 160); }

// The colour scale as 257 steps, built once: an odd count, so that the
// middle of the scale (a tangent's 0) has a step of its own, white.
constexpr int kLastStep = 256;
const std::array<QRgb, kLastStep + 1>& Palette() {
    static const std::array<QRgb, kLastStep + 1> palette = [] {
        std::array<QRgb, kLastStep + 1> steps{};
        for (int i = 0; i <= kLastStep; ++i) steps[static_cast<std::size_t>(i)] = ScaleColour(double(i) / kLastStep).rgb();
        return steps;
    }();
    return palette;
}

}  // namespace

AxisRange ValuesRange(const std::vector<double>& values) {
    double low = INFINITY, high = -INFINITY;
    for (double v : values)
        if (std::isfinite(v)) low = std::min(low, v), high = std::max(high, v);
    return low < high ? AxisRange{low, high} : std::isfinite(low) ? AxisRange{low - 0.5, low + 0.5} : AxisRange{0, 1};
}

QImage PlaneImage(const std::vector<double>& values, QSize cells, AxisRange range) {
    QImage plane(cells, QImage::Format_RGB32);
    const auto& palette = Palette();
    const double span = range.high - range.low;
    const double toStep = span > 0 ? kLastStep / span : 0.0;
    for (int row = 0; row < cells.height(); ++row) {
        auto* line = reinterpret_cast<QRgb*>(plane.scanLine(row));
        const double* value = values.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(cells.width());
        for (int column = 0; column < cells.width(); ++column) {
            const double step = (value[column] - range.low) * toStep;
            line[column] = std::isnan(step) ? NoValueColour()
                                            : palette[static_cast<std::size_t>(std::clamp(step + 0.5, 0.0, double(kLastStep)))];
        }
    }
    return plane;
}

QColor ClassColour(int k) {
    // Ten tones a reader tells apart; further classes turn the hue on by the golden angle.
    static const QRgb kTones[] = {0xa6cee3, 0xfdbf6f, 0xb2df8a, 0xfb9a99, 0xcab2d6,
                                  0xffff99, 0x8dd3c7, 0xd9b38c, 0xbebada, 0xfccde5};
    constexpr int kTonesCount = static_cast<int>(std::size(kTones));
    if (k < 1) return QColor(NoValueColour());
    if (k <= kTonesCount) return QColor(kTones[k - 1]);
    return QColor::fromHsv(static_cast<int>(std::lround((k - kTonesCount) * 137.508)) % 360, 90, 245);
}

QImage ClassImage(const std::vector<std::uint8_t>& classes, QSize cells) {
    QImage plane(cells, QImage::Format_RGB32);
    std::array<QRgb, 256> colours{};
    for (std::size_t k = 0; k < colours.size(); ++k) colours[k] = ClassColour(static_cast<int>(k)).rgb();
    for (int row = 0; row < cells.height(); ++row) {
        auto* line = reinterpret_cast<QRgb*>(plane.scanLine(row));
        const std::uint8_t* cls = classes.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(cells.width());
        for (int column = 0; column < cells.width(); ++column) line[column] = colours[cls[column]];
    }
    return plane;
}

std::vector<QLine> ClassBoundaries(const std::vector<std::uint8_t>& classes, QSize cells) {
    const int columns = cells.width(), rows = cells.height();
    const auto at = [&](int column, int row) {
        return classes[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns) + static_cast<std::size_t>(column)];
    };
    std::vector<QLine> edges;
    // Upright edges, joined down each column boundary.
    for (int column = 1; column < columns; ++column)
        for (int row = 0; row < rows; ++row) {
            if (at(column - 1, row) == at(column, row)) continue;
            int end = row + 1;
            while (end < rows && at(column - 1, end) != at(column, end)) ++end;
            edges.emplace_back(column, row, column, end);
            row = end;
        }
    // Level edges, joined along each row boundary.
    for (int row = 1; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            if (at(column, row - 1) == at(column, row)) continue;
            int end = column + 1;
            while (end < columns && at(end, row - 1) != at(end, row)) ++end;
            edges.emplace_back(column, row, end, row);
            column = end;
        }
    return edges;
}
