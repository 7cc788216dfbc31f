// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fake_image_file_reader.h"

std::optional<QImage> FakeImageFileReader::loadImage(const QString& path) const
{
    const auto found = files.constFind(path);
    if (found == files.constEnd() || found->isNull())
        return std::nullopt;
    return *found;
}
