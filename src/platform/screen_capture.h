// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QList>
#include <algorithm>
#include <functional>
#include <utility>

// The active displays and their current contents. Kept to two primitives so that the
// rules over them (how many displays are looked at, what counts as a failed capture)
// live in the import logic, where they can be tested without a screen.
class ScreenCapture
{
public:
    using CaptureDone = std::function<void(QList<QImage>)>;

    virtual ~ScreenCapture() = default;

    // Number of active displays, in the platform's order.
    virtual int displayCount() const = 0;
    // The current contents of display `index` (0 <= index < displayCount()); a null or
    // empty image when it cannot be captured.
    virtual QImage captureDisplay(int index) = 0;

    // The contents of the first `limit` displays, handed to `done` exactly once on the
    // calling thread; null images stand for displays that could not be captured. Here at
    // once, from the two primitives. A desktop that captures on its own time (and may ask
    // the user first) calls `done` later from the event loop instead, never blocking it.
    virtual void captureDisplays(int limit, const CaptureDone& done)
    {
        QList<QImage> images;
        const int count = std::clamp(displayCount(), 0, limit);
        for (int index = 0; index < count; ++index)
            images.append(captureDisplay(index));
        done(std::move(images));
    }
};
