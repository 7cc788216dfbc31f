// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/screen_capture.h"

// Displays as Qt sees them (QGuiApplication::screens()), captured with QScreen::grabWindow.
// Needs a QGuiApplication; with none, there are no displays.
class QtScreenCapture : public ScreenCapture
{
public:
    int displayCount() const override;
    QImage captureDisplay(int index) override;
};
