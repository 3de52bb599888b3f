// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a training run leaves usable in the main window. While it lives,
// every control under a top widget is off except those named usable (and the
// widgets that hold them, so they can be reached); within a usable one,
// those named off are off too. Each control it turned off is turned on
// again when it ends; one already off stays off.

#include <QList>
#include <QPointer>
#include <QWidget>

#include <vector>

class RunLock {
public:
    RunLock(QWidget* top, const QList<QWidget*>& usable, const QList<QWidget*>& offWithin);
    ~RunLock();
    RunLock(const RunLock&) = delete;
    RunLock& operator=(const RunLock&) = delete;

private:
    void TurnOff(QWidget* widget);
    void TurnOffAllBut(QWidget* parent, const QList<QWidget*>& usable);

    std::vector<QPointer<QWidget>> turnedOff_;
};
