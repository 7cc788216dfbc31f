#pragma once

#include <QImage>

// The active displays and their current contents. Kept to two primitives so that the
// rules over them (how many displays are looked at, what counts as a failed capture)
// live in the import logic, where they can be tested without a screen.
class ScreenCapture
{
public:
    virtual ~ScreenCapture() = default;

    // Number of active displays, in the platform's order.
    virtual int displayCount() const = 0;
    // The current contents of display `index` (0 <= index < displayCount()); a null or
    // empty image when it cannot be captured.
    virtual QImage captureDisplay(int index) = 0;
};
