// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the main window's controls share the room of a window enlarged past
// its default size. Each control keeps the geometry it had at the default
// size and moves and grows by given shares of the extra width and height,
// so the default size shows every control exactly where it was placed.

#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <vector>

class WindowGrowth {
public:
    // Shares of the extra width (left, width) and height (top, height).
    struct Share {
        double left, top, width, height;
    };

    // Records the control's present geometry as its default one.
    void Add(QWidget* control, Share share);
    // Places every control for a window `extra` larger than its default size.
    void Apply(QSize extra) const;

private:
    struct Rule {
        QPointer<QWidget> control;
        QRect base;
        Share share;
    };
    std::vector<Rule> rules_;
};
