#pragma once
// The cheap flat touches shared by the edits: a read-only edit turns silver.

class QWidget;

void ShowReadOnlyLook(QWidget* edit, bool readOnly);
