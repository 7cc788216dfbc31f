// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/qr_encoder.h"

// QR codes drawn with ZXing-C++'s writer, error correction level M.
class ZXingQREncoder : public QREncoder
{
public:
    QImage encodeQR(const QString& text, int moduleSize) const override;
};
