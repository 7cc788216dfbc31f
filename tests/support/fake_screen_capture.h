// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/screen_capture.h"

#include <QList>
#include <utility>

// Displays given as images; a null image is a display that cannot be captured.
// Remembers which displays were grabbed. With `asksFirst` the asynchronous capture waits
// like a desktop asking the user, until answerCapture().
class FakeScreenCapture : public ScreenCapture
{
public:
    QList<QImage> displays;
    QList<int> grabbed;
    bool asksFirst = false;

    int displayCount() const override { return int(displays.size()); }
    QImage captureDisplay(int index) override
    {
        grabbed.append(index);
        return displays.value(index);
    }
    void captureDisplays(int limit, const CaptureDone& done) override
    {
        m_pendingLimit = limit;
        m_pending = done;
        if (!asksFirst)
            answerCapture();
    }
    // Hands the displays to the capture that is waiting; false when none is.
    bool answerCapture()
    {
        if (!m_pending)
            return false;
        ScreenCapture::captureDisplays(m_pendingLimit, std::exchange(m_pending, nullptr));
        return true;
    }

private:
    int m_pendingLimit = 0;
    CaptureDone m_pending;
};
