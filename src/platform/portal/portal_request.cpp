// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/portal/portal_request.h"

#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QRandomGenerator>

namespace {

constexpr const char* requestInterface = "org.freedesktop.portal.Request";

QString freshToken()
{
    // Unique among our own live requests is enough; random keeps tokens of a restarted
    // instance apart from those of its predecessor.
    return QStringLiteral("brisvane%1").arg(QRandomGenerator::global()->generate());
}

} // namespace

QString portalRequestPath(const QString& uniqueName, const QString& token)
{
    QString sender = uniqueName.startsWith(u':') ? uniqueName.mid(1) : uniqueName;
    sender.replace(u'.', u'_');
    return QStringLiteral("/org/freedesktop/portal/desktop/request/") + sender + u'/' + token;
}

PortalRequest::PortalRequest(QDBusConnection bus, QObject* parent) : QObject(parent), m_bus(std::move(bus)) {}

PortalRequest* PortalRequest::send(QDBusConnection bus, QDBusMessage call, QObject* parent)
{
    auto* request = new PortalRequest(std::move(bus), parent);
    QList<QVariant> arguments = call.arguments();
    if (arguments.isEmpty() || !request->m_bus.isConnected()) {
        request->finish(failed, {});
        return request;
    }
    const QString token = freshToken();
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
                    request->finish(failed, {});
                    return;
                }
                // Portals older than the handle_token option pick their own path.
                const QString path = reply.value().path();
                if (path != request->m_path)
                    request->listen(path);
            });
    return request;
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

void PortalRequest::finish(uint response, const QVariantMap& results)
{
    if (m_finished)
        return;
    m_finished = true;
    if (!m_path.isEmpty())
        m_bus.disconnect(QString::fromLatin1(portalService), m_path, QString::fromLatin1(requestInterface),
                         QStringLiteral("Response"), this, SLOT(onResponse(uint, QVariantMap)));
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
