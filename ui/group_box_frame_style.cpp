#include "group_box_frame_style.h"

#include "underlying_style.h"

#include <QGroupBox>
#include <QPainter>
#include <QPixmapCache>
#include <QStyleOptionFrame>

namespace {

// Everything the frame's pixels may depend on, in any style.
QString FrameKey(const QStyleOptionFrame& frame, const QWidget* widget) {
    const auto* box = qobject_cast<const QGroupBox*>(widget);
    return QStringLiteral("perceptlab-groupbox-%1x%2-%3-%4-%5-%6-%7-%8-%9")
        .arg(frame.rect.width())
        .arg(frame.rect.height())
        .arg(frame.palette.cacheKey())
        .arg(static_cast<int>(frame.state))
        .arg(static_cast<int>(frame.features))
        .arg(frame.lineWidth * 1000 + frame.midLineWidth)
        .arg(frame.fontMetrics.height())
        .arg(static_cast<int>(frame.direction))
        .arg(box ? QString::number(box->isCheckable()) + box->title() : QString());
}

}  // namespace

GroupBoxFrameStyle::GroupBoxFrameStyle() : QProxyStyle(FreshUnderlyingStyle()) {}

void GroupBoxFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                       const QWidget* widget) const {
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    // Only where the pixmap lands pixel for pixel: whole-pixel moves on a
    // device of one pixel per point.
    if (element != PE_FrameGroupBox || !frame || frame->rect.isEmpty() ||
        painter->transform().type() > QTransform::TxTranslate || painter->device()->devicePixelRatio() != 1.0 ||
        painter->transform().dx() != qRound(painter->transform().dx()) ||
        painter->transform().dy() != qRound(painter->transform().dy())) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const QString key = FrameKey(*frame, widget);
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        pixmap = QPixmap(frame->rect.size());
        pixmap.fill(Qt::transparent);
        QStyleOptionFrame atOrigin = *frame;
        atOrigin.rect.moveTo(0, 0);
        QPainter onPixmap(&pixmap);
        onPixmap.setRenderHints(painter->renderHints());
        QProxyStyle::drawPrimitive(element, &atOrigin, &onPixmap, widget);
        onPixmap.end();
        QPixmapCache::insert(key, pixmap);
    }
    painter->drawPixmap(frame->rect.topLeft(), pixmap);
}
