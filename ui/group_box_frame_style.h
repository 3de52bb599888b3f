#pragma once
// A style that draws a group box's frame from a pixmap the desktop's style
// painted once for that size, palette and state. Fusion draws the frame from
// an image it looks up afresh for every paint (a resource's file details and
// the time zone each time), which is most of what repainting a group box
// costs; a training run repaints the whole window twice, once disabled and
// once enabled again. The pixels are those the style itself draws.
//
// It wraps its own instance of the desktop's underlying style, as
// CompactTabStyle does, so that that style's frame requests come back here.

#include <QProxyStyle>

class GroupBoxFrameStyle : public QProxyStyle {
public:
    GroupBoxFrameStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};
