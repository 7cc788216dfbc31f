// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/clock_sync.h"

#include <QDBusConnection>
#include <QObject>

// systemd-timedated's NTPSynchronized property (org.freedesktop.timedate1). No timedated on
// the bus, or no answer in time, gives ClockSyncState::unknown.
class TimedatedClockSync : public QObject, public ClockSync
{
    Q_OBJECT
public:
    // The program passes the system bus; tests pass a private bus with a stand-in service.
    explicit TimedatedClockSync(QDBusConnection bus, QObject* parent = nullptr);

    void query(std::function<void(ClockSyncState)> done) override;

private:
    QDBusConnection m_bus;
};
