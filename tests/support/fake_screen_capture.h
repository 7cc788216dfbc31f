// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/screen_capture.h"

#include <QList>

// Displays given as images; a null image is a display that cannot be captured.
// Remembers which displays were grabbed. With `asksFirst` the asynchronous capture waits
// like a desktop asking the user, until answerCapture().
class FakeScreenCapture : public ScreenCapture
{
public:
    QList<QImage> displays;
    QList<int> grabbed;
    bool asksFirst = false;

    int displayCount() const override;
    QImage captureDisplay(int index) override;
    void captureDisplays(int limit, CaptureDone done) override;
    // Hands the displays to the capture that is waiting; false when none is.
    bool answerCapture();

private:
    int m_pendingLimit = 0;
    CaptureDone m_pending;
};
