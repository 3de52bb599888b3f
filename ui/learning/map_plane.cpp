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
