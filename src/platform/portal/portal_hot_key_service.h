// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/hot_key_service.h"
#include "platform/portal/portal_shortcut.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QObject>
#include <QTimer>
#include <map>

// Global hotkeys through the GlobalShortcuts desktop portal, for Wayland sessions. All
// registrations live in one portal session with a fixed token, so the desktop keeps the
// user's own choice of keys across restarts. Registering only records the wish: changes are
// gathered and sent in one go from the event loop, the session re-created with the whole list
// (Plasma 5.27 reads new shortcuts only when a session is created; newer desktops read
// BindShortcuts, so the list goes into both). Never blocks: every portal call is answered
// through its Request object.
class PortalHotKeyService : public QObject, public HotKeyService
{
    Q_OBJECT
public:
    static inline const QString interface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
    static inline const QString sessionToken = QStringLiteral("brisvane");

    explicit PortalHotKeyService(QDBusConnection bus = QDBusConnection::sessionBus(),
                                 QObject* parent = nullptr);
    ~PortalHotKeyService() override;

    // Whether the desktop offers the portal at all (asks the bus once, briefly).
    static bool isAvailable(const QDBusConnection& bus = QDBusConnection::sessionBus());

    void setPressHandler(PressHandler handler) override;
    std::optional<Handle> registerHotKey(std::uint32_t macKeyCode, std::uint32_t carbonModifiers,
                                         std::uint32_t hotKeyID) override;
    void unregisterHotKey(Handle handle) override;
    void describeHotKey(Handle handle, const QString& id, const QString& label) override;
    std::optional<QString> assignedTrigger(Handle handle) const override;
    void setAssignmentHandler(const std::function<void()>& handler) override;

    // True when the desktop holds exactly the current registrations.
    bool isSettled() const { return !m_busy && !m_changed && m_sent == wanted(); }

Q_SIGNALS:
    // The desktop answered a bind: what it assigned is known (or the bind failed).
    void settled();
    // A registered shortcut was let go (the key; modifiers may still be held).
    void released(std::uint32_t hotKeyID);

private Q_SLOTS:
    void onActivated(const QDBusObjectPath& session, const QString& id, qulonglong timestamp,
                     const QVariantMap& options);
    void onDeactivated(const QDBusObjectPath& session, const QString& id, qulonglong timestamp,
                       const QVariantMap& options);
    void onShortcutsChanged(const QDBusObjectPath& session, const QList<PortalShortcut>& shortcuts);

private:
    struct Registration
    {
        std::uint32_t hotKeyID;
        QString trigger;
        QString id;
        QString label;
    };

    QList<PortalShortcut> wanted() const;
    const Registration* findByShortcutID(const QString& id) const;
    void scheduleUpdate();
    void update();
    void createSession(const QList<PortalShortcut>& shortcuts);
    void bind(const QList<PortalShortcut>& shortcuts);
    void finishUpdate(const QList<PortalShortcut>& sent, const QList<PortalShortcut>& assigned);
    // Ends the session; `then` runs once the portal has let it go (at once without one).
    void closeSession(std::function<void()> then = {});
    void noteAssigned(const QList<PortalShortcut>& shortcuts);

    QDBusConnection m_bus;
    PressHandler m_pressHandler;
    std::function<void()> m_assignmentHandler;
    std::map<Handle, Registration> m_registrations;
    Handle m_nextHandle = 1;
    QTimer m_updateTimer;
    QString m_session;
    QList<PortalShortcut> m_sent;
    std::map<QString, QString> m_assigned; // shortcut id -> trigger description
    bool m_busy = false;
    bool m_changed = false;
};
