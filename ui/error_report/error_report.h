// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application's one error handler: every program error that escapes a
// handler ends up here and is shown in the error box, after which the
// program goes on.

#include <QString>

#include <exception>
#include <utility>

// Shows one error message to the user (a critical message box titled
// "PerceptLab"), with the Spanish explanation, when there is one, under it.
// Tests install their own to record what would be shown.
class ErrorBox {
public:
    virtual ~ErrorBox() = default;
    virtual void Show(const QString& message, const QString& explanation) = 0;
};

// The box in use; the message box by default. Passing nullptr restores it.
void SetErrorBox(ErrorBox* box);

// Shows the error's message, with "." appended by the closing-period rule,
// and its explanation (error_explanation.h).
void ReportError(const std::exception& error);

// Runs a handler; an exception it throws is reported instead of escaping
// into Qt's event loop.
template <typename Handler>
void RunGuarded(Handler&& handler) {
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception& error) {
        ReportError(error);
    }
}
