// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/ticking_clock.h"

#include <utility>

TickingClock::TickingClock(QObject* parent, TimeSource timeSource)
    : QObject(parent), m_timeSource(std::move(timeSource)), m_now(m_timeSource())
{
    // A coarse timer may fire up to 5% early or late; codes change on exact second
    // boundaries, so keep the interval precise.
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(1000);
    // The timer is a member, so it dies with the clock and never touches a destroyed object.
    connect(&m_timer, &QTimer::timeout, this, &TickingClock::tick);
    m_timer.start();
}

void TickingClock::tick()
{
    m_now = m_timeSource();
    Q_EMIT nowChanged(m_now);
}
