// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <QVariantList>
#include <QVariantMap>
#include <functional>

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

    using Handler = std::function<void(uint response, const QVariantMap& results)>;
    // Calls `method` of the portal's `interface` with `arguments` (the last one the options)
    // and hands the answer to `done`, which is dropped unanswered if `context` goes first.
    static void call(const QDBusConnection& bus, const QString& interface, const QString& method,
                     const QVariantList& arguments, QObject* context, Handler done);

    // A token for handle_token or session_handle_token: a valid object path element.
    static QString newToken();

    // Connects a signal of the portal (at `path`, the portal's own object when empty) to a slot
    // of `receiver`. QtDBus looks the slot's parameter types up by name and, for one it has not
    // seen yet, fails without a word (QDBusObjectPath in a fresh process): they are registered
    // first, and a failure is logged. Returns whether the connection holds.
    static bool connectSignal(const QDBusConnection& bus, const QString& path, const QString& interface,
                              const QString& name, QObject* receiver, const char* slot);

    // The session object path in a CreateSession answer; empty when there is none.
    static QString sessionHandle(const QVariantMap& results);

    // The "version" property of one of the portal's interfaces; 0 when the portal or the
    // interface is missing. Blocks briefly: for start-up, before any window is shown.
    static uint interfaceVersion(const QDBusConnection& bus, const QString& interface);

Q_SIGNALS:
    void finished(uint response, const QVariantMap& results);

private Q_SLOTS:
    void onResponse(uint response, const QVariantMap& results);

private:
    PortalRequest(QDBusConnection bus, QString method, QObject* parent);
    bool listen(const QString& path);
    void finish(uint response, const QVariantMap& results, const QString& error = {});

    QDBusConnection m_bus;
    QString m_method; // interface.Method, for the log
    QString m_path;
    bool m_finished = false;
};

// The object path of the Request a portal creates for the caller with this unique bus name
// (":1.42") and this handle token: /org/freedesktop/portal/desktop/request/1_42/TOKEN.
QString portalRequestPath(const QString& uniqueName, const QString& token);
