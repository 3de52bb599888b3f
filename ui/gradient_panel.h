// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's background: a vertical linear gradient between two colours.

#include <QColor>
#include <QWidget>

class GradientPanel : public QWidget {
public:
    GradientPanel(QColor from, QColor to, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor from_, to_;
};
