// SPDX-License-Identifier: GPL-3.0-or-later
#include "compact_tab_style.h"

#include "underlying_style.h"

CompactTabStyle::CompactTabStyle() : QProxyStyle(FreshUnderlyingStyle()) {}

int CompactTabStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    if (metric == PM_TabBarTabHSpace) return 10;
    return QProxyStyle::pixelMetric(metric, option, widget);
}
