// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <QVariantMap>

// One call of a desktop portal method that answers later through a Request object. The
// Request's path follows from our bus name and a token we choose, so we listen on it
// before calling and cannot miss an answer that comes quickly. Never blocks: finished()
// is emitted exactly once, from the event loop, and the object then deletes itself.
class PortalRequest : public QObject
{
    Q_OBJECT
public:
    // Portal response codes; `failed` also stands for a call the bus refused.
    enum Response : uint
    {
        success = 0,
        cancelled = 1,
        failed = 2
    };

    static constexpr const char* portalService = "org.freedesktop.portal.Desktop";
    static constexpr const char* portalPath = "/org/freedesktop/portal/desktop";

    // Sends `call`, whose last argument must be its options (a{sv}), with a fresh
    // handle_token added to them.
    static PortalRequest* send(QDBusConnection bus, QDBusMessage call, QObject* parent = nullptr);

Q_SIGNALS:
    void finished(uint response, const QVariantMap& results);

private Q_SLOTS:
    void onResponse(uint response, const QVariantMap& results);

private:
    PortalRequest(QDBusConnection bus, QObject* parent);
    bool listen(const QString& path);
    void finish(uint response, const QVariantMap& results);

    QDBusConnection m_bus;
    QString m_path;
    bool m_finished = false;
};

// The object path of the Request a portal creates for the caller with this unique bus name
// (":1.42") and this handle token: /org/freedesktop/portal/desktop/request/1_42/TOKEN.
QString portalRequestPath(const QString& uniqueName, const QString& token);
