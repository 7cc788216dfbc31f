// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QStringList>

// Finds QR codes in a bitmap.
class QRDetector
{
public:
    virtual ~QRDetector() = default;

    // The text of every QR code found in the image, in the detector's order; codes without
    // text are left out, nothing is trimmed or made unique. Never fails: an image that
    // cannot be examined gives an empty list.
    virtual QStringList detectQRPayloads(const QImage& image) const = 0;
};
