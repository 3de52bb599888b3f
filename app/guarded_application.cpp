// SPDX-License-Identifier: GPL-3.0-or-later
#include "guarded_application.h"

#include "error_report.h"

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ReportError(error);
        return true;
    }
}
