// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one colour scale of the learning views: low values and negative
// weights warm, high values and positive weights cool, the middle white.

#include <QColor>

// t = 0 the low end, 0.5 the middle, 1 the high end; clamped.
QColor ScaleColour(double t);

inline const QColor kNegativeColour(200, 50, 30);
inline const QColor kPositiveColour(30, 90, 190);
