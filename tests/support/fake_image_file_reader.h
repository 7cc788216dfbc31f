// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/image_file_reader.h"

#include <QMap>

// Files by path; a path not in the map cannot be read.
class FakeImageFileReader : public ImageFileReader
{
public:
    QMap<QString, QImage> files;

    std::optional<QImage> loadImage(const QString& path) const override
    {
        const QImage image = files.value(path);
        return image.isNull() ? std::nullopt : std::optional(image);
    }
};
