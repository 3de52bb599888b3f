// SPDX-License-Identifier: GPL-3.0-or-later
#include "run_lock.h"

#include <algorithm>

RunLock::RunLock(QWidget* top, const QList<QWidget*>& usable, const QList<QWidget*>& offWithin) {
    TurnOffAllBut(top, usable);
    for (QWidget* widget : offWithin) TurnOff(widget);
}

RunLock::~RunLock() {
    for (const QPointer<QWidget>& widget : turnedOff_)
        if (widget) widget->setEnabled(true);
}

void RunLock::TurnOff(QWidget* widget) {
    if (!widget || widget->testAttribute(Qt::WA_Disabled)) return;
    widget->setEnabled(false);
    turnedOff_.emplace_back(widget);
}

void RunLock::TurnOffAllBut(QWidget* parent, const QList<QWidget*>& usable) {
    for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow() || usable.contains(child)) continue;
        const bool holdsUsable =
            std::any_of(usable.begin(), usable.end(), [child](QWidget* widget) { return child->isAncestorOf(widget); });
        if (holdsUsable)
            TurnOffAllBut(child, usable);
        else
            TurnOff(child);
    }
}
