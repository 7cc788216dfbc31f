// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>

// Turns the event loop for `during` with a timer due every 10 ms and returns the longest time
// between two of its ticks, in milliseconds: what a user would see as a frozen window.
inline qint64 longestEventLoopGap(std::chrono::milliseconds during)
{
    QElapsedTimer sinceTick;
    qint64 longest = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { longest = std::max(longest, sinceTick.restart()); });
    ticker.start(10);
    sinceTick.start();
    QTest::qWait(static_cast<int>(during.count()));
    return std::max(longest, sinceTick.elapsed());
}
