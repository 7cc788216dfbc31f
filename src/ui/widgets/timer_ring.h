// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/instant.h"

#include <QColor>
#include <QPalette>
#include <QRectF>
#include <QString>

class QPainter;

// The countdown ring of a time-based account: how much of the current step is left.
struct TimerRing
{
    enum class Tone
    {
        accent,
        orange,
        red
    };

    double period = 30; // seconds
    Instant now{};

    // period - fmod(t, period): in (0, period] for t >= 0. Zero for an unusable period,
    // which has no steps to count down.
    double remainingSeconds() const;
    // remainingSeconds / period, in (0, 1]; zero for an unusable period.
    double progress() const;
    // The whole seconds shown in the middle ("30" at the first instant of a step, never "0"
    // while time runs); empty for an unusable period.
    QString label() const;
    // Accent above 0.33, orange above 0.16, red from there down.
    Tone tone() const;
    // The tone a ring shows at any progress, for a ring on its way between two instants.
    static Tone toneAt(double progress);
};

// The progress drawn `fraction` (0 to 1) of the way from one tick's ring to the next one's,
// so each change of the ring moves smoothly instead of jumping.
double blendedProgress(const TimerRing& from, const TimerRing& to, double fraction);

QColor toneColor(TimerRing::Tone tone, const QPalette& palette);

// Background circle, the progress arc from the top clockwise, and the seconds in the middle.
void paintTimerRing(QPainter& painter, const QRectF& rect, const TimerRing& ring, const QPalette& palette);
// The same with the arc and its colour at `arcProgress`, the seconds still those of `ring`.
void paintTimerRing(QPainter& painter, const QRectF& rect, const TimerRing& ring, const QPalette& palette,
                    double arcProgress);
