// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Guardar Imagen": a picture of a view, as it is when the button is
// pressed, saved as a PNG file chosen in the save dialog.

#include "file_dialogs.h"

class QImage;
class QWidget;

inline const FileDialogRequest kSaveImageDialog{FileDialogRequest::Mode::Save, QStringLiteral("SaveImageDialog"),
                                                QStringLiteral("*.png"), QStringLiteral("png")};

// Throws "Cannot create file <path>" when the file cannot be written.
void SaveWidgetImage(QWidget& widget, FileDialogs& dialogs, QWidget* dialogParent);
// The same for a picture already made, such as a view larger than its window.
void SaveImage(const QImage& image, FileDialogs& dialogs, QWidget* dialogParent);
