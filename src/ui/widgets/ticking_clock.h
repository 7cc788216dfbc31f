// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/instant.h"

#include <QObject>
#include <QTimer>
#include <functional>

// The shared one-second clock behind every code and countdown on screen. Ticks are one
// second apart from the moment of creation, not aligned to wall-clock seconds.
class TickingClock : public QObject
{
    Q_OBJECT
public:
    using TimeSource = std::function<Instant()>;

    // Starts ticking at once. The time source is replaceable so tests can control `now`.
    explicit TickingClock(QObject* parent = nullptr, TimeSource timeSource = currentInstant);

    Instant now() const { return m_now; }

Q_SIGNALS:
    void nowChanged(Instant now);

private:
    void tick();

    TimeSource m_timeSource;
    Instant m_now;
    QTimer m_timer;
};
