// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fake_screen_capture.h"

#include <utility>

int FakeScreenCapture::displayCount() const
{
    return int(displays.size());
}

QImage FakeScreenCapture::captureDisplay(int index)
{
    grabbed.append(index);
    return displays.value(index);
}

void FakeScreenCapture::captureDisplays(int limit, CaptureDone done)
{
    if (!asksFirst) {
        ScreenCapture::captureDisplays(limit, std::move(done));
        return;
    }
    m_pendingLimit = limit;
    m_pending = std::move(done);
}

bool FakeScreenCapture::answerCapture()
{
    if (!m_pending)
        return false;
    CaptureDone done = std::exchange(m_pending, nullptr);
    ScreenCapture::captureDisplays(m_pendingLimit, std::move(done));
    return true;
}
