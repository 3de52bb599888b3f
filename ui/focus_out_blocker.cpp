// SPDX-License-Identifier: GPL-3.0-or-later
#include "focus_out_blocker.h"

#include <QApplication>
#include <QEvent>

FocusOutBlocker::FocusOutBlocker(QWidget* top) {
    QWidget* focus = QApplication::focusWidget();
    if (!focus || !top->isAncestorOf(focus)) return;
    for (QWidget* w = focus; w && w != top; w = w->parentWidget()) {
        w->installEventFilter(this);
        watched_.emplace_back(w);
    }
}

FocusOutBlocker::~FocusOutBlocker() {
    for (const QPointer<QWidget>& w : watched_)
        if (w) w->removeEventFilter(this);
}

bool FocusOutBlocker::eventFilter(QObject*, QEvent* event) { return event->type() == QEvent::FocusOut; }
