// SPDX-License-Identifier: GPL-3.0-or-later
#include "image_export.h"

#include "file_access.h"

#include <QBuffer>
#include <QPixmap>
#include <QWidget>

#include <string_view>

void SaveWidgetImage(QWidget& widget, FileDialogs& dialogs, QWidget* dialogParent) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    widget.grab().save(&buffer, "PNG");
    const std::optional<QString> path = dialogs.Execute(dialogParent, kSaveImageDialog);
    if (path) SaveFileSafely(path->toStdString(), std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
}
