#include "platform/zxing/zxing_qr_detector.h"

#include <ZXing/ReadBarcode.h>

QStringList ZXingQRDetector::detectQRPayloads(const QImage& image) const
{
    if (image.isNull() || image.width() == 0 || image.height() == 0)
        return {};
    const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
    if (gray.isNull())
        return {};

    // Rows of a QImage are padded to 4 bytes, so the stride is bytesPerLine, not the width.
    const ZXing::ImageView view(gray.constBits(), gray.width(), gray.height(), ZXing::ImageFormat::Lum,
                                int(gray.bytesPerLine()));
    const auto hints = ZXing::DecodeHints()
                           .setFormats(ZXing::BarcodeFormat::QRCode)
                           .setTryHarder(true)
                           .setTryRotate(true)
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
