// SPDX-License-Identifier: GPL-3.0-or-later
#include "value_colours.h"

#include <algorithm>

QColor ScaleColour(double t) {
    t = std::clamp(t, 0.0, 1.0);
    const QColor& end = t < 0.5 ? kNegativeColour : kPositiveColour;
    const double towardEnd = t < 0.5 ? 1 - 2 * t : 2 * t - 1;
    const auto mix = [towardEnd](int channel) { return static_cast<int>(255 + (channel - 255) * towardEnd + 0.5); };
    return QColor(mix(end.red()), mix(end.green()), mix(end.blue()));
}
