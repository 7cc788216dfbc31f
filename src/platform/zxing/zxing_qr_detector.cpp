// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/zxing/zxing_qr_detector.h"

#include <ZXing/ReadBarcode.h>
#include <algorithm>

namespace {

// An 8-bit luminance copy, with transparent pixels shown over white (a QR code saved on a
// transparent background keeps its contrast). Done by hand because QImage's own conversion
// to Grayscale8 goes through colour management and costs several times the detection.
QImage luminanceOverWhite(const QImage& image)
{
    const QImage rgba =
        image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32_Premultiplied
            ? image
            : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (rgba.isNull())
        return {};
    QImage gray(rgba.size(), QImage::Format_Grayscale8);
    if (gray.isNull())
        return {};
    for (int y = 0; y < rgba.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(rgba.constScanLine(y));
        uchar* out = gray.scanLine(y);
        for (int x = 0; x < rgba.width(); ++x) {
            const QRgb pixel = in[x];
            // Premultiplied, so the luminance never exceeds alpha and the sum stays within 255.
            const unsigned luminance = (306u * unsigned(qRed(pixel)) + 601u * unsigned(qGreen(pixel)) +
                                        117u * unsigned(qBlue(pixel)) + 0x200u) >>
                                       10;
            out[x] = uchar(std::min(255u, luminance + 255u - unsigned(qAlpha(pixel))));
        }
    }
    return gray;
}

} // namespace

QStringList ZXingQRDetector::detectQRPayloads(const QImage& image) const
{
    if (image.isNull() || image.width() == 0 || image.height() == 0)
        return {};
    const QImage gray = luminanceOverWhite(image);
    if (gray.isNull())
        return {};

    // Rows of a QImage are padded to 4 bytes, so the stride is bytesPerLine, not the width.
    const ZXing::ImageView view(gray.constBits(), gray.width(), gray.height(), ZXing::ImageFormat::Lum,
                                int(gray.bytesPerLine()));
    const auto hints = ZXing::DecodeHints()
                           .setFormats(ZXing::BarcodeFormat::QRCode)
                           .setTryHarder(true)
                           .setMaxNumberOfSymbols(0xff);

    QStringList payloads;
    try {
        for (const ZXing::Result& result : ZXing::ReadBarcodes(view, hints)) {
            if (!result.isValid())
                continue;
            const std::string text = result.text();
            if (!text.empty())
                payloads.append(QString::fromStdString(text));
        }
    } catch (...) {
        // The detector promises never to fail: an image it cannot handle has no codes.
        return {};
    }
    return payloads;
}
