// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// While it lives, the focus widget and its parents up to a given ancestor do
// not see the focus leave them: a field that validates or clamps its text on
// losing the focus keeps what the user typed when its window is disabled for
// a moment.

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <vector>

class FocusOutBlocker : public QObject {
public:
    // Watches the application's focus widget when `top` contains it.
    explicit FocusOutBlocker(QWidget* top);
    ~FocusOutBlocker() override;

    QWidget* Watched() const { return watched_.empty() ? nullptr : watched_.front().data(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<QPointer<QWidget>> watched_;
};
