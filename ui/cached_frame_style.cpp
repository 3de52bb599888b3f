// SPDX-License-Identifier: GPL-3.0-or-later
#include "cached_frame_style.h"

#include "underlying_style.h"

#include <QGroupBox>
#include <QImage>
#include <QPainter>
#include <QStyleOptionFrame>
#include <QStyleOptionTabWidgetFrame>

#include <algorithm>
#include <memory>

namespace {

constexpr int kBandRows = 64;

// Everything a frame's pixels may depend on, in any style.
QString FrameKey(QStyle::PrimitiveElement element, const QStyleOption& option, const QWidget* widget) {
    QString key = QStringLiteral("%1-%2x%3-%4-%5-%6-%7")
                      .arg(static_cast<int>(element))
                      .arg(option.rect.width())
                      .arg(option.rect.height())
                      .arg(option.palette.cacheKey())
                      .arg(static_cast<int>(option.state))
                      .arg(option.fontMetrics.height())
                      .arg(static_cast<int>(option.direction));
    if (const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(&option)) {
        const auto* box = qobject_cast<const QGroupBox*>(widget);
        key += QStringLiteral("-%1-%2-%3")
                   .arg(static_cast<int>(frame->features))
                   .arg(frame->lineWidth * 1000 + frame->midLineWidth)
                   .arg(box ? QString::number(box->isCheckable()) + box->title() : QString());
    }
    if (const auto* pane = qstyleoption_cast<const QStyleOptionTabWidgetFrame*>(&option)) {
        const auto rect = [](const QRect& r) {
            return QStringLiteral("%1,%2,%3,%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
        };
        const auto size = [](const QSize& s) { return QStringLiteral("%1,%2").arg(s.width()).arg(s.height()); };
        key += QStringLiteral("-%1-%2-%3-%4-%5-%6-%7")
                   .arg(static_cast<int>(pane->shape))
                   .arg(pane->lineWidth * 1000 + pane->midLineWidth)
                   .arg(rect(pane->tabBarRect), rect(pane->selectedTabRect), size(pane->tabBarSize),
                        size(pane->leftCornerWidgetSize), size(pane->rightCornerWidgetSize));
    }
    return key;
}

// The largest rectangle around the middle of the picture whose pixels are
// all the same and either clear or opaque; empty if there is none.
QRect UniformInside(const QImage& image) {
    const int midX = image.width() / 2;
    const int midY = image.height() / 2;
    const QRgb* middleRow = reinterpret_cast<const QRgb*>(image.constScanLine(midY));
    const QRgb pixel = middleRow[midX];
    if (qAlpha(pixel) != 0 && qAlpha(pixel) != 255) return {};
    const auto at = [&](int x, int y) { return reinterpret_cast<const QRgb*>(image.constScanLine(y))[x]; };
    int left = midX;
    int right = midX;
    int top = midY;
    int bottom = midY;
    while (left > 0 && at(left - 1, midY) == pixel) --left;
    while (right + 1 < image.width() && at(right + 1, midY) == pixel) ++right;
    while (top > 0 && at(midX, top - 1) == pixel) --top;
    while (bottom + 1 < image.height() && at(midX, bottom + 1) == pixel) ++bottom;
    for (int y = top; y <= bottom; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        if (std::any_of(row + left, row + right + 1, [&](QRgb p) { return p != pixel; })) return {};
    }
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

void DrawInBands(QPainter& painter, const QPoint& at, const QPixmap& pixels) {
    for (int y = 0; y < pixels.height(); y += kBandRows) {
        const QRect band(0, y, pixels.width(), std::min(kBandRows, pixels.height() - y));
        painter.drawPixmap(at + band.topLeft(), pixels, band);
    }
}

void FillInBands(QPainter& painter, const QRect& area, const QColor& colour) {
    for (int y = area.top(); y <= area.bottom(); y += kBandRows) {
        painter.fillRect(QRect(area.left(), y, area.width(), std::min(kBandRows, area.bottom() + 1 - y)), colour);
    }
}

}  // namespace

CachedFrameStyle::CachedFrameStyle() : QProxyStyle(FreshUnderlyingStyle()) {}

const CachedFrameStyle::Frame* CachedFrameStyle::FrameFor(PrimitiveElement element, const QStyleOption& option,
                                                          const QPainter& painter, const QWidget* widget) const {
    const QString key = FrameKey(element, option, widget);
    if (const Frame* frame = frames_.object(key)) return frame;
    auto frame = std::make_unique<Frame>();
    QImage image(option.rect.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter onImage(&image);
    onImage.setRenderHints(painter.renderHints());
    // The frame's own option type, moved to the picture's origin.
    if (const auto* pane = qstyleoption_cast<const QStyleOptionTabWidgetFrame*>(&option)) {
        QStyleOptionTabWidgetFrame atOrigin = *pane;
        atOrigin.rect.moveTo(0, 0);
        QProxyStyle::drawPrimitive(element, &atOrigin, &onImage, widget);
    } else {
        QStyleOptionFrame atOrigin = *qstyleoption_cast<const QStyleOptionFrame*>(&option);
        atOrigin.rect.moveTo(0, 0);
        QProxyStyle::drawPrimitive(element, &atOrigin, &onImage, widget);
    }
    onImage.end();
    const QRect inside = UniformInside(image);
    qsizetype pixels = 0;
    if (inside.isEmpty()) {
        frame->whole = QPixmap::fromImage(image);
        pixels = image.width() * image.height();
    } else {
        frame->inside = inside;
        const QRgb colour = image.pixel(inside.topLeft());
        if (qAlpha(colour) == 255) frame->insideColour = QColor::fromRgb(colour);
        const int width = image.width();
        const int height = image.height();
        const int below = inside.bottom() + 1;
        const int right = inside.right() + 1;
        for (const QRect& side : {QRect(0, 0, width, inside.top()), QRect(0, below, width, height - below),
                                  QRect(0, inside.top(), inside.left(), inside.height()),
                                  QRect(right, inside.top(), width - right, inside.height())}) {
            if (side.isEmpty()) continue;
            frame->border.push_back({side.topLeft(), QPixmap::fromImage(image.copy(side))});
            pixels += side.width() * side.height();
        }
    }
    const Frame* cached = frame.get();
    return frames_.insert(key, frame.release(), std::max<qsizetype>(1, pixels / 256)) ? cached : nullptr;
}

void CachedFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                     const QWidget* widget) const {
    const bool groupBox = element == PE_FrameGroupBox && qstyleoption_cast<const QStyleOptionFrame*>(option);
    const bool pane = element == PE_FrameTabWidget && qstyleoption_cast<const QStyleOptionTabWidgetFrame*>(option);
    // Only where the picture lands pixel for pixel: whole-pixel moves on a
    // device of one pixel per point.
    if (!(groupBox || pane) || option->rect.isEmpty() || painter->transform().type() > QTransform::TxTranslate ||
        painter->device()->devicePixelRatio() != 1.0 ||
        painter->transform().dx() != qRound(painter->transform().dx()) ||
        painter->transform().dy() != qRound(painter->transform().dy())) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const Frame* cached = FrameFor(element, *option, *painter, widget);
    if (!cached) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const QPoint at = option->rect.topLeft();
    if (!cached->whole.isNull()) {
        painter->drawPixmap(at, cached->whole);
        return;
    }
    for (const Frame::Piece& piece : cached->border) DrawInBands(*painter, at + piece.at, piece.pixels);
    if (cached->insideColour.isValid()) FillInBands(*painter, cached->inside.translated(at), cached->insideColour);
}
