#pragma once
// A style that draws group box frames and the tab set's pane from a picture
// the desktop's style painted once for that size, palette and state.
// Fusion draws a group box frame from an image it looks up afresh for every
// paint (a resource's file details and the time zone each time), and a pane
// as outlines a window tall; a training run repaints the whole window twice,
// once disabled and once enabled again. The pixels are those the style
// itself draws.
//
// Only a frame's border is drawn from the picture: inside it, where the style
// leaves every pixel clear or paints them all one solid colour, nothing is
// drawn or that colour is filled. Qt's raster engine hands every fill of 96
// rows or more to its thread pool, and for a border a few pixels wide waking
// the pool costs far more than the fill, so tall pieces go in bands.
//
// It wraps its own instance of the desktop's underlying style, as
// CompactTabStyle does, so that that style's frame requests come back here.

#include <QCache>
#include <QPixmap>
#include <QProxyStyle>
#include <QRect>
#include <QString>

class CachedFrameStyle : public QProxyStyle {
public:
    CachedFrameStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;

private:
    struct Frame {
        QPixmap picture;
        // Empty when the picture is drawn whole.
        QRect inside;
        // Filled over `inside` when opaque; nothing is drawn there when clear.
        QColor insideColour;
    };

    // Null for a picture too big to keep.
    const Frame* FrameFor(PrimitiveElement element, const QStyleOption& option, const QPainter& painter,
                          const QWidget* widget) const;

    // Costed in KB: a few windows' worth of frames.
    mutable QCache<QString, Frame> frames_{16 * 1024};
};
