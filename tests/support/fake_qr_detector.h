// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/qr_detector.h"

#include <atomic>
#include <chrono>

// "Detects" the payloads written into an image by imageWithCodes, in that order, so a
// test states what each screen or file shows without drawing real QR codes.
class FakeQRDetector : public QRDetector
{
public:
    static QImage imageWithCodes(const QStringList& payloads);

    // Detection may run on a worker thread.
    mutable std::atomic<int> calls = 0;
    // How long each detection takes, as a large photo would.
    std::chrono::milliseconds delay{0};

    QStringList detectQRPayloads(const QImage& image) const override;
};
