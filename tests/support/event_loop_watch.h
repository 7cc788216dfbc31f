// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QTimer>
#include <QtCore/qtestsupport_core.h>
#include <algorithm>
#include <chrono>
#include <functional>

// The longest gap a test accepts from a window that keeps answering: well below the blocked calls
// the tests provoke (600 ms and more), well above what a loaded two-core machine's scheduler adds.
constexpr qint64 answeringGapMs = 300;

// Measures how long the event loop of this thread stops turning: a 10 ms timer records the
// longest gap between two of its firings while `until` runs the loop.
class EventLoopWatch
{
public:
    EventLoopWatch()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout,
                         [this] { m_longestGapMs = std::max(m_longestGapMs, m_sinceLast.restart()); });
        m_sinceLast.start();
        m_timer.start();
    }

    // Runs the event loop until `done` holds or the limit passes; returns whether it held.
    bool until(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(10))
    {
        QDeadlineTimer deadline(limit);
        while (!done() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
        // The gap up to now counts too: a call that blocked and then returned ends here.
        m_longestGapMs = std::max(m_longestGapMs, m_sinceLast.elapsed());
        return done();
    }

    qint64 longestGapMs() const { return m_longestGapMs; }

private:
    QTimer m_timer;
    QElapsedTimer m_sinceLast;
    qint64 m_longestGapMs = 0;
};

// Turns the event loop for `during` and returns the longest gap: a frozen window, as a user sees
// it. QTest::qWait sleeps between turns, so a busy machine does not stretch the gaps.
inline qint64 longestEventLoopGap(std::chrono::milliseconds during)
{
    EventLoopWatch watch;
    QTest::qWait(static_cast<int>(during.count()));
    watch.until([] { return true; }); // counts the gap up to now
    return watch.longestGapMs();
}
