// SPDX-License-Identifier: GPL-3.0-or-later
#include "gradient_panel.h"

#include <QLinearGradient>
#include <QPainter>

GradientPanel::GradientPanel(QColor from, QColor to, QWidget* parent) : QWidget(parent), from_(from), to_(to) {}

void GradientPanel::paintEvent(QPaintEvent*) {
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, from_);
    gradient.setColorAt(1, to_);
    QPainter(this).fillRect(rect(), gradient);
}
