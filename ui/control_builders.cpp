// SPDX-License-Identifier: GPL-3.0-or-later
#include "control_builders.h"

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include <cmath>

void Place(QWidget* control, const QString& name, QRect geometry, const QString& accessibleName) {
    control->setObjectName(name);
    if (!accessibleName.isEmpty()) control->setAccessibleName(accessibleName);
    control->setGeometry(geometry);
}

void SetBold(QWidget* control, int pixels) {
    QFont font = control->font();
    font.setBold(true);
    if (pixels > 0) font.setPixelSize(pixels);
    control->setFont(font);
}

namespace {

// Relative luminance of a colour (sRGB), 0 for black to 1 for white.
double Luminance(const QColor& colour) {
    const auto linear = [](float c) { return c <= 0.03928f ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}

}  // namespace

QColor TextColourOn(QColor background) {
    // Black or white, whichever contrasts more with the background.
    const double l = Luminance(background);
    return (l + 0.05) / 0.05 >= 1.05 / (l + 0.05) ? QColor(Qt::black) : QColor(Qt::white);
}

void SetBackground(QWidget* control, QColor colour) {
    QPalette palette = control->palette();
    palette.setColor(QPalette::Window, colour);
    // A fixed background fixes its text colour too, whatever the desktop's palette.
    palette.setColor(QPalette::WindowText, TextColourOn(colour));
    control->setPalette(palette);
    control->setAutoFillBackground(true);
}

QGroupBox* NewGroupBox(QWidget* parent, const QString& name, const QString& title, QRect geometry) {
    auto* box = new QGroupBox(title, parent);
    Place(box, name, geometry, title.trimmed());
    return box;
}

QLabel* NewLabel(QWidget* parent, const QString& name, const QString& text, QRect geometry) {
    auto* label = new QLabel(text, parent);
    if (geometry.width() <= 0) {
        label->adjustSize();
        geometry.setSize(label->size());
    }
    Place(label, name, geometry, QString());
    return label;
}

QPushButton* NewSpeedButton(QWidget* parent, const QString& name, const QString& text, QRect geometry,
                            int standardIcon, int boldPixels) {
    auto* button = new QPushButton(text, parent);
    Place(button, name, geometry, text.trimmed());
    button->setIcon(QApplication::style()->standardIcon(static_cast<QStyle::StandardPixmap>(standardIcon)));
    button->setFocusPolicy(Qt::TabFocus);
    button->setAutoDefault(false);
    SetBold(button, boldPixels);
    return button;
}

QRadioButton* NewRadioButton(QWidget* parent, const QString& name, const QString& text, QRect geometry) {
    auto* button = new QRadioButton(text, parent);
    Place(button, name, geometry, text.trimmed());
    return button;
}

QFrame* NewBevel(QWidget* parent, const QString& name, QRect geometry, bool raised) {
    auto* bevel = new QFrame(parent);
    Place(bevel, name, geometry, QString());
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(raised ? QFrame::Raised : QFrame::Sunken);
    return bevel;
}
