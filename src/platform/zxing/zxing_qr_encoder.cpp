// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/zxing/zxing_qr_encoder.h"

#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>
#include <cstddef>
#include <exception>

namespace {

// The four-module quiet zone that scanners need around a code.
constexpr int quietZone = 4;
// ZXing's writer counts error correction in eighths: 4 is about 15%, level M.
constexpr int eccLevelM = 4;

} // namespace

QImage ZXingQREncoder::encodeQR(const QString& text, int moduleSize) const
{
    if (moduleSize < 1)
        return {};
    ZXing::BitMatrix matrix;
    try {
        // Links are ASCII: left to its default, the writer adds no ECI header that old scanners trip on.
        // Width and height 0 give one pixel per module; we scale ourselves for sharp edges.
        matrix = ZXing::MultiFormatWriter(ZXing::BarcodeFormat::QRCode)
                     .setEccLevel(eccLevelM)
                     .setMargin(0)
                     .encode(text.toStdString(), 0, 0);
    } catch (const std::exception&) {
        return {}; // too long for any QR version
    }
    const int modules = matrix.width();
    const int side = (modules + 2 * quietZone) * moduleSize;
    QImage image(side, side, QImage::Format_Grayscale8);
    image.fill(255);
    for (int y = 0; y < matrix.height(); ++y) {
        for (int x = 0; x < modules; ++x) {
            if (!matrix.get(x, y))
                continue;
            for (int dy = 0; dy < moduleSize; ++dy) {
                uchar* line = image.scanLine((y + quietZone) * moduleSize + dy);
                std::fill_n(line + static_cast<std::ptrdiff_t>(x + quietZone) * moduleSize, moduleSize,
                            uchar{0});
            }
        }
    }
    return image;
}
