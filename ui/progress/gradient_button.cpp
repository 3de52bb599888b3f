// SPDX-License-Identifier: GPL-3.0-or-later
#include "gradient_button.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

THiperBoton::THiperBoton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::NoFocus);
}

void THiperBoton::SetReactsToMouse(bool reacts) {
    reactsToMouse_ = reacts;
    update();
}

// A button that does not react is never pressed nor clicked: the mouse
// events go on to the window below it, which ignores them.
void THiperBoton::mousePressEvent(QMouseEvent* event) {
    if (reactsToMouse_) {
        QAbstractButton::mousePressEvent(event);
    } else {
        event->ignore();
    }
}

void THiperBoton::mouseReleaseEvent(QMouseEvent* event) {
    if (reactsToMouse_) {
        QAbstractButton::mouseReleaseEvent(event);
    } else {
        event->ignore();
    }
}

void THiperBoton::mouseDoubleClickEvent(QMouseEvent* event) {
    if (reactsToMouse_) {
        QAbstractButton::mouseDoubleClickEvent(event);
    } else {
        event->ignore();
    }
}

QSize THiperBoton::sizeHint() const {
    return fontMetrics().size(Qt::TextSingleLine, text()) + QSize(24, 12);
}

void THiperBoton::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void THiperBoton::leaveEvent(QEvent* event) {
    hovered_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void THiperBoton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const bool pressed = reactsToMouse_ && isDown();

    const auto shape = [this](const QRectF& r) {
        QPainterPath path;
        path.addRoundedRect(r, r.width() / 2 * rounding_ / 100.0, r.height() / 2 * rounding_ / 100.0);
        return path;
    };

    QRectF area(rect());
    if (borderWidth_ > 0) {
        // Light from the top left, shadow to the bottom right; swapped while
        // pressed so the button looks pushed in.
        const QColor light(255, 255, 255);
        const QColor dark(64, 64, 64);
        QLinearGradient shade(area.topLeft(), area.bottomRight());
        shade.setColorAt(0, pressed ? dark : light);
        shade.setColorAt(1, pressed ? light : dark);
        painter.fillPath(shape(area), shade);
        area.adjust(borderWidth_, borderWidth_, -borderWidth_, -borderWidth_);
    }

    // In object coordinates the radial gradient stretches to the button's
    // shape: inner colour at the centre, edge colour at the rim.
    QRadialGradient fill(0.5, 0.5, 0.5);
    fill.setCoordinateMode(QGradient::ObjectMode);
    fill.setColorAt(0, inner_);
    fill.setColorAt(1, CurrentBorder());
    painter.fillPath(shape(area), fill);

    QRectF textArea = area;
    if (pressed) textArea.translate(1, 1);
    painter.setFont(font());
    // A faint outline in the edge colour keeps a light caption readable on
    // the light centre of the gradient.
    painter.setPen(CurrentBorder());
    painter.drawText(textArea.translated(1, 1), Qt::AlignCenter, text());
    painter.setPen(CurrentTextColour());
    painter.drawText(textArea, Qt::AlignCenter, text());
}
