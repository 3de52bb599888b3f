#pragma once
// A tab bar style with narrower horizontal margins, so that five captions
// with their 24-pixel icons fit the page control's width without scrolling.

#include <QProxyStyle>

class CompactTabStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
};
