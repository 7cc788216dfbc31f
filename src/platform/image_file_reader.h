// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>
#include <optional>

// Decodes image files.
class ImageFileReader
{
public:
    virtual ~ImageFileReader() = default;

    // The decoded image, or nothing when the file cannot be opened or is not an image.
    virtual std::optional<QImage> loadImage(const QString& path) const = 0;
};
