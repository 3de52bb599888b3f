// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Records the messages the error box would show instead of showing them.

#include "error_report.h"

#include <QStringList>

class RecordingErrorBox : public ErrorBox {
public:
    RecordingErrorBox() { SetErrorBox(this); }
    ~RecordingErrorBox() override { SetErrorBox(nullptr); }
    RecordingErrorBox(const RecordingErrorBox&) = delete;
    RecordingErrorBox& operator=(const RecordingErrorBox&) = delete;

    void Show(const QString& message, const QString&) override { messages.append(message); }

    QStringList messages;
};
