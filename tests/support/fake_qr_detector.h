// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/qr_detector.h"

#include <QThread>
#include <atomic>
#include <chrono>

// "Detects" the payloads written into an image by imageWithCodes, in that order, so a
// test states what each screen or file shows without drawing real QR codes.
class FakeQRDetector : public QRDetector
{
public:
    static QImage imageWithCodes(const QStringList& payloads)
    {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::white);
        if (!payloads.isEmpty())
            image.setText(payloadKey(), payloads.join(separator));
        return image;
    }

    // Detection may run on a worker thread.
    mutable std::atomic<int> calls = 0;
    // How long each detection takes, as a large photo would.
    std::chrono::milliseconds delay{0};

    QStringList detectQRPayloads(const QImage& image) const override
    {
        ++calls;
        QThread::msleep(static_cast<unsigned long>(delay.count()));
        const QString text = image.text(payloadKey());
        return text.isEmpty() ? QStringList() : text.split(separator);
    }

private:
    static QString payloadKey() { return QStringLiteral("fake-qr-payloads"); }
    static constexpr QChar separator{0x1F};
};
