// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A style that draws group box frames and the tab set's pane from a picture
// the desktop's style painted once for that size, palette and state.
// Fusion draws a group box frame from an image it looks up afresh for every
// paint (a resource's file details and the time zone each time), and a pane
// as outlines a window tall; a training run repaints the whole window twice,
// once disabled and once enabled again. The pixels are those the style
// itself draws.
//
// Where the style leaves a frame's inside clear or paints it all one opaque
// colour (a pane), only the border is kept, and the inside is left alone or
// filled: a few kilobytes instead of a window's worth. Qt's raster engine
// hands every fill of 96 rows or more to its thread pool, and for a border a
// few pixels wide waking the pool costs far more than the fill, so the tall
// sides go in bands.
//
// It wraps its own instance of the desktop's underlying style, as
// CompactTabStyle does, so that that style's frame requests come back here.

#include <QCache>
#include <QPixmap>
#include <QProxyStyle>
#include <QRect>
#include <QString>

#include <vector>

class CachedFrameStyle : public QProxyStyle {
public:
    CachedFrameStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;

private:
    struct Frame {
        // The frame as the style paints it, when its inside is not one clear
        // or opaque colour; null otherwise.
        QPixmap whole;
        // Otherwise the four sides of the border, each with its place in the
        // frame, and the inside: left clear, or filled with its colour.
        struct Piece {
            QPoint at;
            QPixmap pixels;
        };
        std::vector<Piece> border;
        QRect inside;
        QColor insideColour;
    };

    // Null for a picture too big to keep.
    const Frame* FrameFor(PrimitiveElement element, const QStyleOption& option, const QPainter& painter,
                          const QWidget* widget) const;

    // Costed in KB: a few windows' worth of frames.
    mutable QCache<QString, Frame> frames_{16 * 1024};
};
