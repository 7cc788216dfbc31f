// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/qr_detector.h"

// ZXing-C++ on a grayscale copy of the image, QR codes only, every code in the image.
class ZXingQRDetector : public QRDetector
{
public:
    QStringList detectQRPayloads(const QImage& image) const override;
};
