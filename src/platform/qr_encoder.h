// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

// Draws text as a QR code.
class QREncoder
{
public:
    virtual ~QREncoder() = default;

    // A black-on-white code with a quiet zone, each module `moduleSize` pixels wide; a null
    // image when the text does not fit a QR code.
    virtual QImage encodeQR(const QString& text, int moduleSize) const = 0;
};
