#include "support/fake_screen_capture.h"

int FakeScreenCapture::displayCount() const
{
    return int(displays.size());
}

QImage FakeScreenCapture::captureDisplay(int index)
{
    grabbed.append(index);
    return displays.value(index);
}
