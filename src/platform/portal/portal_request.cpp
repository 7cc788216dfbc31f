// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/portal/portal_request.h"

#include "platform/platform_log.h"

#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QRandomGenerator>

namespace {

constexpr const char* requestInterface = "org.freedesktop.portal.Request";

} // namespace

QString portalRequestPath(const QString& uniqueName, const QString& token)
{
    QString sender = uniqueName.startsWith(u':') ? uniqueName.mid(1) : uniqueName;
    sender.replace(u'.', u'_');
    return QStringLiteral("/org/freedesktop/portal/desktop/request/") + sender + u'/' + token;
}

PortalRequest::PortalRequest(QDBusConnection bus, QString method, QObject* parent)
    : QObject(parent), m_bus(std::move(bus)), m_method(std::move(method))
{
}

QString PortalRequest::newToken()
{
    // Unique among our own live requests is enough; random keeps tokens of a restarted
    // instance apart from those of its predecessor.
    return QStringLiteral("brisvane%1").arg(QRandomGenerator::global()->generate());
}

PortalRequest* PortalRequest::send(QDBusConnection bus, QDBusMessage call, QObject* parent)
{
    auto* request = new PortalRequest(std::move(bus), call.interface() + u'.' + call.member(), parent);
    QList<QVariant> arguments = call.arguments();
    if (arguments.isEmpty() || !request->m_bus.isConnected()) {
        request->finish(failed, {}, QStringLiteral("no session bus"));
        return request;
    }
    const QString token = newToken();
    QVariantMap options = arguments.last().toMap();
    options.insert(QStringLiteral("handle_token"), token);
    arguments.last() = options;
    call.setArguments(arguments);
    request->listen(portalRequestPath(request->m_bus.baseService(), token));

    auto* watcher = new QDBusPendingCallWatcher(request->m_bus.asyncCall(call), request);
    connect(watcher, &QDBusPendingCallWatcher::finished, request,
            [request](QDBusPendingCallWatcher* answered) {
                answered->deleteLater();
                const QDBusPendingReply<QDBusObjectPath> reply = *answered;
                if (reply.isError()) {
                    request->finish(failed, {}, reply.error().message());
                    return;
                }
                // Portals older than the handle_token option pick their own path.
                const QString path = reply.value().path();
                if (path != request->m_path)
                    request->listen(path);
            });
    return request;
}

void PortalRequest::call(const QDBusConnection& bus, const QString& interface, const QString& method,
                         const QVariantList& arguments, QObject* context, Handler done)
{
    QDBusMessage message = QDBusMessage::createMethodCall(QString::fromLatin1(portalService),
                                                          QString::fromLatin1(portalPath), interface, method);
    message.setArguments(arguments);
    PortalRequest* request = send(bus, message, context);
    connect(request, &PortalRequest::finished, context, std::move(done));
}

bool PortalRequest::connectSignal(const QDBusConnection& bus, const QString& path, const QString& interface,
                                  const QString& name, QObject* receiver, const char* slot)
{
    qRegisterMetaType<QDBusObjectPath>();
    const bool connected = QDBusConnection(bus).connect(
        QString::fromLatin1(portalService), path.isEmpty() ? QString::fromLatin1(portalPath) : path,
        interface, name, receiver, slot);
    if (!connected)
        qCWarning(lcPortal, "cannot receive %s.%s", qPrintable(interface), qPrintable(name));
    return connected;
}

QString PortalRequest::sessionHandle(const QVariantMap& results)
{
    // Specified as an object path, sent as a string by xdg-desktop-portal 1.16.
    const QVariant handle = results.value(QStringLiteral("session_handle"));
    if (handle.canConvert<QDBusObjectPath>())
        return handle.value<QDBusObjectPath>().path();
    return handle.toString();
}

uint PortalRequest::interfaceVersion(const QDBusConnection& bus, const QString& interface)
{
    if (!bus.isConnected())
        return 0;
    QDBusMessage get = QDBusMessage::createMethodCall(
        QString::fromLatin1(portalService), QString::fromLatin1(portalPath),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get.setArguments({interface, QStringLiteral("version")});
    const QDBusMessage reply = bus.call(get, QDBus::Block, 2000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return 0;
    return reply.arguments().constFirst().value<QDBusVariant>().variant().toUInt();
}

bool PortalRequest::listen(const QString& path)
{
    if (!m_path.isEmpty())
        m_bus.disconnect(QString::fromLatin1(portalService), m_path, QString::fromLatin1(requestInterface),
                         QStringLiteral("Response"), this, SLOT(onResponse(uint, QVariantMap)));
    m_path = path;
    return m_bus.connect(QString::fromLatin1(portalService), m_path, QString::fromLatin1(requestInterface),
                         QStringLiteral("Response"), this, SLOT(onResponse(uint, QVariantMap)));
}

void PortalRequest::onResponse(uint response, const QVariantMap& results)
{
    finish(response, results);
}

void PortalRequest::finish(uint response, const QVariantMap& results, const QString& error)
{
    if (m_finished)
        return;
    m_finished = true;
    if (!m_path.isEmpty())
        m_bus.disconnect(QString::fromLatin1(portalService), m_path, QString::fromLatin1(requestInterface),
                         QStringLiteral("Response"), this, SLOT(onResponse(uint, QVariantMap)));
    // Only the method and the code: results may hold a restore token or a file name.
    if (!error.isEmpty())
        qCWarning(lcPortal, "%s could not be called: %s", qPrintable(m_method), qPrintable(error));
    else if (response != success)
        qCWarning(lcPortal, "%s answered response %u", qPrintable(m_method), response);
    // Emitted from the event loop even when the call failed before it was sent, so the
    // caller always hears back after send() has returned.
    QMetaObject::invokeMethod(
        this,
        [this, response, results] {
            Q_EMIT finished(response, results);
            deleteLater();
        },
        Qt::QueuedConnection);
}
