// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/portal/portal_hot_key_service.h"

#include "platform/platform_log.h"
#include "platform/portal/portal_request.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <algorithm>

namespace {
const QString portalService = QString::fromLatin1(PortalRequest::portalService);
const QString sessionInterface = QStringLiteral("org.freedesktop.portal.Session");

} // namespace

PortalHotKeyService::PortalHotKeyService(QDBusConnection bus, QObject* parent)
    : QObject(parent), m_bus(std::move(bus))
{
    registerPortalShortcutTypes();
    m_updateTimer.setSingleShot(true);
    m_updateTimer.setInterval(0);
    connect(&m_updateTimer, &QTimer::timeout, this, &PortalHotKeyService::update);
    PortalRequest::connectSignal(m_bus, {}, interface, QStringLiteral("Activated"), this,
                                 SLOT(onActivated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
    PortalRequest::connectSignal(m_bus, {}, interface, QStringLiteral("Deactivated"), this,
                                 SLOT(onDeactivated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
    PortalRequest::connectSignal(m_bus, {}, interface, QStringLiteral("ShortcutsChanged"), this,
                                 SLOT(onShortcutsChanged(QDBusObjectPath, QList<PortalShortcut>)));
}

PortalHotKeyService::~PortalHotKeyService()
{
    // Waits (briefly) for the answer: the desktop must have let the token go before another
    // service, or the next start of the program, asks for it again.
    if (!m_session.isEmpty())
        m_bus.call(QDBusMessage::createMethodCall(portalService, m_session, sessionInterface,
                                                  QStringLiteral("Close")),
                   QDBus::Block, 1000);
}

bool PortalHotKeyService::isAvailable(const QDBusConnection& bus)
{
    return PortalRequest::interfaceVersion(bus, interface) >= 1;
}

void PortalHotKeyService::setPressHandler(PressHandler handler)
{
    m_pressHandler = std::move(handler);
}

std::optional<HotKeyService::Handle> PortalHotKeyService::registerHotKey(std::uint32_t macKeyCode,
                                                                         std::uint32_t carbonModifiers,
                                                                         std::uint32_t hotKeyID)
{
    const std::optional<QString> trigger = portalTrigger(macKeyCode, carbonModifiers);
    if (!trigger)
        return std::nullopt;
    const Handle handle = m_nextHandle++;
    m_registrations[handle] = Registration{hotKeyID, *trigger, QStringLiteral("hotkey%1").arg(hotKeyID),
                                           QStringLiteral("Brisvane")};
    scheduleUpdate();
    return handle;
}

void PortalHotKeyService::unregisterHotKey(Handle handle)
{
    if (m_registrations.erase(handle) != 0)
        scheduleUpdate();
}

void PortalHotKeyService::describeHotKey(Handle handle, const QString& id, const QString& label)
{
    const auto found = m_registrations.find(handle);
    if (found == m_registrations.end())
        return;
    found->second.id = id;
    found->second.label = label;
    scheduleUpdate();
}

std::optional<QString> PortalHotKeyService::assignedTrigger(Handle handle) const
{
    const auto found = m_registrations.find(handle);
    if (found == m_registrations.end())
        return std::nullopt;
    const Registration& registration = found->second;
    const bool sent = std::any_of(m_sent.cbegin(), m_sent.cend(), [&](const PortalShortcut& shortcut) {
        return shortcut.id == registration.id;
    });
    if (!sent)
        return std::nullopt;
    const auto assigned = m_assigned.find(registration.id);
    if (assigned == m_assigned.end() || assigned->second.isEmpty())
        return QString();
    if (sameTrigger(registration.trigger, assigned->second))
        return std::nullopt;
    return assigned->second;
}

void PortalHotKeyService::setAssignmentHandler(const std::function<void()>& handler)
{
    m_assignmentHandler = handler;
}

QList<PortalShortcut> PortalHotKeyService::wanted() const
{
    QList<PortalShortcut> shortcuts;
    for (const auto& [handle, registration] : m_registrations)
        shortcuts.append(PortalShortcut{registration.id,
                                        {{QStringLiteral("description"), registration.label},
                                         {QStringLiteral("preferred_trigger"), registration.trigger}}});
    std::sort(shortcuts.begin(), shortcuts.end(),
              [](const PortalShortcut& a, const PortalShortcut& b) { return a.id < b.id; });
    return shortcuts;
}

const PortalHotKeyService::Registration* PortalHotKeyService::findByShortcutID(const QString& id) const
{
    for (const auto& [handle, registration] : m_registrations) {
        if (registration.id == id)
            return &registration;
    }
    return nullptr;
}

void PortalHotKeyService::scheduleUpdate()
{
    m_changed = true;
    m_updateTimer.start();
}

void PortalHotKeyService::update()
{
    if (m_busy)
        return; // finishUpdate() looks again
    m_changed = false;
    const QList<PortalShortcut> shortcuts = wanted();
    if (shortcuts == m_sent && (!m_session.isEmpty() || shortcuts.isEmpty())) {
        Q_EMIT settled();
        return;
    }
    m_busy = true;
    // Two live sessions under one token leave every key dead, and the portal frees the token
    // only once Close has been answered: the new session waits for that answer.
    closeSession([this, shortcuts] {
        if (shortcuts.isEmpty())
            finishUpdate({}, {});
        else
            createSession(shortcuts);
    });
}

void PortalHotKeyService::createSession(const QList<PortalShortcut>& shortcuts)
{
    const QVariantMap options{{QStringLiteral("session_handle_token"), sessionToken},
                              {QStringLiteral("shortcuts"), QVariant::fromValue(shortcuts)}};
    PortalRequest::call(
        m_bus, interface, QStringLiteral("CreateSession"), {options}, this,
        [this, shortcuts](uint response, const QVariantMap& results) {
            m_session =
                response == PortalRequest::success ? PortalRequest::sessionHandle(results) : QString();
            if (m_session.isEmpty()) {
                if (response == PortalRequest::success)
                    qCWarning(lcPortal, "GlobalShortcuts CreateSession gave no session handle");
                finishUpdate(shortcuts, {});
                return;
            }
            bind(shortcuts);
        });
}

void PortalHotKeyService::bind(const QList<PortalShortcut>& shortcuts)
{
    const QVariantList arguments{QVariant::fromValue(QDBusObjectPath(m_session)),
                                 QVariant::fromValue(shortcuts), QString(), QVariantMap{}};
    PortalRequest::call(m_bus, interface, QStringLiteral("BindShortcuts"), arguments, this,
                        [this, shortcuts](uint, const QVariantMap& results) {
                            finishUpdate(shortcuts, shortcutsFromResults(results));
                        });
}

void PortalHotKeyService::finishUpdate(const QList<PortalShortcut>& sent,
                                       const QList<PortalShortcut>& assigned)
{
    m_busy = false;
    m_sent = sent;
    m_assigned.clear();
    noteAssigned(assigned);
    if (m_changed) {
        m_updateTimer.start();
        return;
    }
    Q_EMIT settled();
}

void PortalHotKeyService::noteAssigned(const QList<PortalShortcut>& shortcuts)
{
    for (const PortalShortcut& shortcut : shortcuts)
        m_assigned[shortcut.id] = shortcut.properties.value(QStringLiteral("trigger_description")).toString();
    if (m_assignmentHandler)
        m_assignmentHandler();
}

void PortalHotKeyService::closeSession(std::function<void()> then)
{
    if (m_session.isEmpty()) {
        if (then)
            then();
        return;
    }
    const QDBusMessage close =
        QDBusMessage::createMethodCall(portalService, m_session, sessionInterface, QStringLiteral("Close"));
    m_session.clear();
    if (!then) {
        m_bus.send(close);
        return;
    }
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(close), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [then = std::move(then)](QDBusPendingCallWatcher* answered) {
                answered->deleteLater();
                then();
            });
}

void PortalHotKeyService::onActivated(const QDBusObjectPath& session, const QString& id, qulonglong,
                                      const QVariantMap&)
{
    if (session.path() != m_session || !m_pressHandler)
        return;
    if (const Registration* registration = findByShortcutID(id))
        m_pressHandler(registration->hotKeyID);
}

void PortalHotKeyService::onDeactivated(const QDBusObjectPath& session, const QString& id, qulonglong,
                                        const QVariantMap&)
{
    if (session.path() != m_session)
        return;
    if (const Registration* registration = findByShortcutID(id))
        Q_EMIT released(registration->hotKeyID);
}

void PortalHotKeyService::onShortcutsChanged(const QDBusObjectPath& session,
                                             const QList<PortalShortcut>& shortcuts)
{
    if (session.path() != m_session)
        return;
    noteAssigned(shortcuts);
}
