#include "control_builders.h"

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

void Place(QWidget* control, const QString& name, QRect geometry, const QString& accessibleName) {
    control->setObjectName(name);
    control->setAccessibleName(accessibleName);
    control->setGeometry(geometry);
}

void SetBold(QWidget* control, int pixels) {
    QFont font = control->font();
    font.setBold(true);
    if (pixels > 0) font.setPixelSize(pixels);
    control->setFont(font);
}

void SetBackground(QWidget* control, QColor colour) {
    QPalette palette = control->palette();
    palette.setColor(QPalette::Window, colour);
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
    Place(label, name, geometry, text.trimmed());
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
