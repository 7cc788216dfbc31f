// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dbus/timedated_clock_sync.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QMetaObject>
#include <utility>

namespace {

// timedated is started on demand by the bus; a slow start must not keep the answer forever.
constexpr int replyTimeoutMs = 10000;

ClockSyncState stateOf(const QDBusPendingReply<QDBusVariant>& reply)
{
    if (reply.isError())
        return ClockSyncState::unknown;
    const QVariant value = reply.value().variant();
    if (value.typeId() != QMetaType::Bool)
        return ClockSyncState::unknown;
    return value.toBool() ? ClockSyncState::synchronised : ClockSyncState::notSynchronised;
}

} // namespace

TimedatedClockSync::TimedatedClockSync(QDBusConnection bus, QObject* parent)
    : QObject(parent), m_bus(std::move(bus))
{
}

void TimedatedClockSync::query(std::function<void(ClockSyncState)> done)
{
    if (!m_bus.isConnected()) {
        QMetaObject::invokeMethod(
            this, [done = std::move(done)] { done(ClockSyncState::unknown); }, Qt::QueuedConnection);
        return;
    }
    QDBusMessage get = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.timedate1"), QStringLiteral("/org/freedesktop/timedate1"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << QStringLiteral("org.freedesktop.timedate1") << QStringLiteral("NTPSynchronized");
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(get, replyTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [done = std::move(done)](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                done(stateOf(*call));
            });
}
