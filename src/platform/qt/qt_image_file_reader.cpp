// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qt_image_file_reader.h"

#include <QImageReader>

std::optional<QImage> QtImageFileReader::loadImage(const QString& path) const
{
    QImageReader reader(path);
    // Photos may carry their orientation, mirroring included, only as metadata, and a
    // mirrored QR code does not decode.
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull() || image.width() == 0 || image.height() == 0)
        return std::nullopt;
    return image;
}
