// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/zxing/zxing_qr_detector.h"

#include <QLabel>
#include <QStringList>

// What a phone would read from the QR code a window shows in a label.
inline QStringList scannedCodes(const QLabel& image)
{
    return ZXingQRDetector().detectQRPayloads(image.pixmap().toImage());
}
