// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The cheap flat touches shared by the edits: a read-only edit takes the
// desktop's window colours.

class QEvent;
class QWidget;

void ShowReadOnlyLook(QWidget* edit, bool readOnly);

// Whether the read-only look must be set again: the flag or the desktop's
// palette changed.
bool ChangesReadOnlyLook(const QEvent* event);
