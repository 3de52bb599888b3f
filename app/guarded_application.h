// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application object. Besides the window's handlers, which report their
// own errors, any program error that reaches the event loop is shown in the
// error box here instead of ending the program.

#include <QApplication>

class GuardedApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;
};
