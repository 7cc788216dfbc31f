// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/portal/portal_keystroke_sender.h"

#include "platform/platform_log.h"
#include "platform/portal/portal_request.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>

namespace {
const QString portalService = QString::fromLatin1(PortalRequest::portalService);
const QString portalPath = QString::fromLatin1(PortalRequest::portalPath);

const QString globalShortcuts = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString sessionInterface = QStringLiteral("org.freedesktop.portal.Session");

// Left and right Shift, Alt and Super, and right Ctrl: whatever a hand may still hold.
constexpr int heldModifierKeys[] = {42, 54, 56, 100, 125, 126, 97};
constexpr uint keyUp = 0;
constexpr uint keyDown = 1;
constexpr uint keyboardDevice = 1;
constexpr uint persistUntilRevoked = 2;

} // namespace

PortalKeystrokeSender::PortalKeystrokeSender(RestoreToken restoreToken, QDBusConnection bus, QObject* parent)
    : QObject(parent), m_restoreToken(std::move(restoreToken)), m_bus(std::move(bus))
{
    PortalRequest::connectSignal(m_bus, {}, globalShortcuts, QStringLiteral("Activated"), this,
                                 SLOT(onActivated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
    PortalRequest::connectSignal(m_bus, {}, globalShortcuts, QStringLiteral("Deactivated"), this,
                                 SLOT(onDeactivated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
}

PortalKeystrokeSender::~PortalKeystrokeSender()
{
    if (!m_session.isEmpty())
        m_bus.send(QDBusMessage::createMethodCall(portalService, m_session, sessionInterface,
                                                  QStringLiteral("Close")));
}

bool PortalKeystrokeSender::isAvailable(const QDBusConnection& bus)
{
    return PortalRequest::interfaceVersion(bus, interface) >= 1;
}

void PortalKeystrokeSender::requestPermission()
{
    if (m_state == State::starting || m_state == State::started)
        return;
    setState(State::starting);
    if (m_version == 0)
        m_version = PortalRequest::interfaceVersion(m_bus, interface);
    PortalRequest::call(m_bus, interface, QStringLiteral("CreateSession"),
                        {QVariantMap{{QStringLiteral("session_handle_token"), PortalRequest::newToken()}}},
                        this, [this](uint response, const QVariantMap& results) {
                            m_session = response == PortalRequest::success
                                            ? PortalRequest::sessionHandle(results)
                                            : QString();
                            if (m_session.isEmpty()) {
                                if (response == PortalRequest::success)
                                    qCWarning(lcPortal, "RemoteDesktop CreateSession gave no session handle");
                                setState(State::failed);
                                return;
                            }
                            PortalRequest::connectSignal(m_bus, m_session, sessionInterface,
                                                         QStringLiteral("Closed"), this,
                                                         SLOT(onSessionClosed(QVariantMap)));
                            selectDevices();
                        });
}

void PortalKeystrokeSender::selectDevices()
{
    QVariantMap options{{QStringLiteral("types"), keyboardDevice}};
    // Restoring needs version 2; older portals reject unknown options.
    if (m_version >= 2) {
        options.insert(QStringLiteral("persist_mode"), persistUntilRevoked);
        const QString token = m_restoreToken.load ? m_restoreToken.load() : QString();
        if (!token.isEmpty())
            options.insert(QStringLiteral("restore_token"), token);
    }
    PortalRequest::call(m_bus, interface, QStringLiteral("SelectDevices"),
                        {QVariant::fromValue(QDBusObjectPath(m_session)), options}, this,
                        [this](uint response, const QVariantMap&) {
                            if (response != PortalRequest::success) {
                                forgetSession();
                                return;
                            }
                            startSession();
                        });
}

void PortalKeystrokeSender::startSession()
{
    PortalRequest::call(m_bus, interface, QStringLiteral("Start"),
                        {QVariant::fromValue(QDBusObjectPath(m_session)), QString(), QVariantMap{}}, this,
                        [this](uint response, const QVariantMap& results) {
                            const bool keyboard =
                                (results.value(QStringLiteral("devices")).toUInt() & keyboardDevice) != 0;
                            if (response != PortalRequest::success || !keyboard) {
                                if (response == PortalRequest::success)
                                    qCWarning(lcPortal, "RemoteDesktop Start granted no keyboard");
                                forgetSession();
                                return;
                            }
                            const QString token = results.value(QStringLiteral("restore_token")).toString();
                            if (!token.isEmpty() && m_restoreToken.save)
                                m_restoreToken.save(token);
                            setState(State::started);
                        });
}

void PortalKeystrokeSender::forgetSession()
{
    if (!m_session.isEmpty()) {
        m_bus.disconnect(portalService, m_session, sessionInterface, QStringLiteral("Closed"), this,
                         SLOT(onSessionClosed(QVariantMap)));
        m_bus.send(QDBusMessage::createMethodCall(portalService, m_session, sessionInterface,
                                                  QStringLiteral("Close")));
        m_session.clear();
    }
    setState(State::failed);
}

void PortalKeystrokeSender::onSessionClosed(const QVariantMap&)
{
    m_bus.disconnect(portalService, m_session, sessionInterface, QStringLiteral("Closed"), this,
                     SLOT(onSessionClosed(QVariantMap)));
    m_session.clear();
    setState(State::idle);
}

void PortalKeystrokeSender::setState(State state)
{
    if (state == m_state)
        return;
    m_state = state;
    Q_EMIT stateChanged();
}

bool PortalKeystrokeSender::modifiersHeld() const
{
    for (const auto& [id, since] : m_held) {
        if (since.elapsed() < heldLimitMs)
            return true;
    }
    return m_sinceRelease.isValid() && m_sinceRelease.elapsed() < settleMs;
}

void PortalKeystrokeSender::onActivated(const QDBusObjectPath&, const QString& id, qulonglong,
                                        const QVariantMap&)
{
    m_held[id].start();
}

void PortalKeystrokeSender::onDeactivated(const QDBusObjectPath&, const QString& id, qulonglong,
                                          const QVariantMap&)
{
    if (m_held.erase(id) != 0)
        m_sinceRelease.start();
}

QList<PortalKeystrokeSender::KeyEvent> PortalKeystrokeSender::pasteKeys()
{
    QList<KeyEvent> keys;
    for (const int key : heldModifierKeys)
        keys.append({key, false});
    keys += QList<KeyEvent>{{keyLeftCtrl, true}, {keyV, true}, {keyV, false}, {keyLeftCtrl, false}};
    return keys;
}

QDBusMessage PortalKeystrokeSender::keyEvent(int key, bool down) const
{
    QDBusMessage call = QDBusMessage::createMethodCall(portalService, portalPath, interface,
                                                       QStringLiteral("NotifyKeyboardKeycode"));
    call.setArguments(
        {QVariant::fromValue(QDBusObjectPath(m_session)), QVariantMap{}, key, down ? keyDown : keyUp});
    return call;
}

bool PortalKeystrokeSender::sendPaste()
{
    if (m_state != State::started)
        return false;
    sendKeycodes(pasteKeys(), [](bool) {});
    return true;
}

void PortalKeystrokeSender::sendPasteThen(std::function<void(bool sent)> done)
{
    sendKeycodes(pasteKeys(), std::move(done));
}

void PortalKeystrokeSender::sendKeycodes(const QList<KeyEvent>& keys, std::function<void(bool accepted)> done)
{
    if (m_state != State::started || keys.isEmpty()) {
        done(false);
        return;
    }
    sendFrom(keys, 0, std::move(done));
}

void PortalKeystrokeSender::sendFrom(QList<KeyEvent> keys, qsizetype next, std::function<void(bool)> done)
{
    const auto [key, down] = keys.at(next);
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(keyEvent(key, down)), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, keys = std::move(keys), next,
             done = std::move(done)](QDBusPendingCallWatcher* answered) mutable {
                answered->deleteLater();
                if (answered->isError()) {
                    qCWarning(lcPortal, "RemoteDesktop refused a key event: %s",
                              qPrintable(answered->error().message()));
                    done(false);
                    return;
                }
                if (next + 1 == keys.size()) {
                    done(true);
                    return;
                }
                sendFrom(std::move(keys), next + 1, std::move(done));
            });
}
