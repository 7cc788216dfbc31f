#pragma once

#include "platform/screen_capture.h"

#include <QList>

// Displays given as images; a null image is a display that cannot be captured.
// Remembers which displays were grabbed.
class FakeScreenCapture : public ScreenCapture
{
public:
    QList<QImage> displays;
    QList<int> grabbed;

    int displayCount() const override;
    QImage captureDisplay(int index) override;
};
