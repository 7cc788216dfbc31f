// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fake_qr_detector.h"

#include <QThread>

namespace {
const QString payloadKey = QStringLiteral("fake-qr-payloads");
const QChar separator = QChar(0x1F);
} // namespace

QImage FakeQRDetector::imageWithCodes(const QStringList& payloads)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (!payloads.isEmpty())
        image.setText(payloadKey, payloads.join(separator));
    return image;
}

QStringList FakeQRDetector::detectQRPayloads(const QImage& image) const
{
    ++calls;
    if (delay.count() > 0)
        QThread::msleep(static_cast<unsigned long>(delay.count()));
    const QString text = image.text(payloadKey);
    if (text.isEmpty())
        return {};
    return text.split(separator);
}
