// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A tab bar style with narrower horizontal margins, so that five captions
// with their 24-pixel icons fit the page control's width without scrolling.
//
// It wraps its own instance of the desktop's underlying style: wrapped around
// a style that is itself a proxy (as platform themes install), the inner
// style would lay out the captions with margins other than those the tabs
// were sized with, and clip them.

#include <QProxyStyle>

class CompactTabStyle : public QProxyStyle {
public:
    CompactTabStyle();

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
};
