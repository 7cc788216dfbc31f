// SPDX-License-Identifier: GPL-3.0-or-later
// Image files as a user might pick them, decoded the way the add dialog does: the image
// reader, then the QR detector. No input may crash either, and every payload is text.
#include "platform/qt/qt_image_file_reader.h"
#include "platform/zxing/zxing_qr_detector.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The reader takes a path, as the dialog passes one; one file per process, rewritten.
    static const QString path =
        QDir::tempPath() + QStringLiteral("/brisvane-fuzz-image-%1").arg(static_cast<qint64>(::getpid()));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    file.close();

    const std::optional<QImage> image = QtImageFileReader().loadImage(path);
    if (!image)
        return 0;
    if (image->isNull())
        std::abort();
    for (const QString& payload : ZXingQRDetector().detectQRPayloads(*image))
        (void)payload.toUtf8();
    return 0;
}
