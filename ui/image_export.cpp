// SPDX-License-Identifier: GPL-3.0-or-later
#include "image_export.h"

#include "file_access.h"

#include <QBuffer>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <string_view>

void SaveWidgetImage(QWidget& widget, FileDialogs& dialogs, QWidget* dialogParent) {
    SaveImage(widget.grab().toImage(), dialogs, dialogParent);
}

void SaveImage(const QImage& image, FileDialogs& dialogs, QWidget* dialogParent) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    const std::optional<QString> path = dialogs.Execute(dialogParent, kSaveImageDialog);
    if (!path) return;
    SaveFileSafely(path->toStdString(), std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
    dialogs.RememberFolderOf(*path);
}
