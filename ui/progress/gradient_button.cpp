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

void THiperBoton::SetReactsToMouse(bool reacciona) {
    reactsToMouse_ = reacciona;
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

    const auto forma = [this](const QRectF& r) {
        QPainterPath path;
        path.addRoundedRect(r, r.width() / 2 * rounding_ / 100.0, r.height() / 2 * rounding_ / 100.0);
        return path;
    };

    QRectF area(rect());
    if (borderWidth_ > 0) {
        // Light from the top left, shadow to the bottom right; swapped while
        // pressed so the button looks pushed in.
        const QColor claro(255, 255, 255);
        const QColor oscuro(64, 64, 64);
        QLinearGradient sombra(area.topLeft(), area.bottomRight());
        sombra.setColorAt(0, pressed ? oscuro : claro);
        sombra.setColorAt(1, pressed ? claro : oscuro);
        painter.fillPath(forma(area), sombra);
        area.adjust(borderWidth_, borderWidth_, -borderWidth_, -borderWidth_);
    }

    // In object coordinates the radial gradient stretches to the button's
    // shape: inner colour at the centre, edge colour at the rim.
    QRadialGradient relleno(0.5, 0.5, 0.5);
    relleno.setCoordinateMode(QGradient::ObjectMode);
    relleno.setColorAt(0, inner_);
    relleno.setColorAt(1, CurrentBorder());
    painter.fillPath(forma(area), relleno);

    QRectF zonaTexto = area;
    if (pressed) zonaTexto.translate(1, 1);
    painter.setFont(font());
    // A faint outline in the edge colour keeps a light caption readable on
    // the light centre of the gradient.
    painter.setPen(CurrentBorder());
    painter.drawText(zonaTexto.translated(1, 1), Qt::AlignCenter, text());
    painter.setPen(CurrentTextColour());
    painter.drawText(zonaTexto, Qt::AlignCenter, text());
}
