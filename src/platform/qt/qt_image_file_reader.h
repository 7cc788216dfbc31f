// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/image_file_reader.h"

// QImageReader: PNG, JPEG, TIFF and whatever image plugins are installed.
class QtImageFileReader : public ImageFileReader
{
public:
    std::optional<QImage> loadImage(const QString& path) const override;
};
