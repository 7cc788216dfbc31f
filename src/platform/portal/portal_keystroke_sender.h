// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/keystroke_sender.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QVariantMap>
#include <functional>
#include <map>
#include <utility>

// Synthetic paste through the RemoteDesktop desktop portal, for Wayland sessions: one
// keyboard-only session, started once and kept, because each start costs about half a second
// and may ask the user. Where the portal can restore a session (version 2), its restore token
// is kept through the given callbacks so that the user is asked at most once.
//
// When has the user let go? A Wayland client cannot read the keyboard while another app has
// the focus. The GlobalShortcuts portal says when the shortcut's key goes up (Deactivated),
// but Plasma 5.27 says so while the modifiers may still be held, and a hand may linger on
// them for any time. So the wait ends a moment after the key's release: a quick hand has
// let go of the modifiers by then, and its own key-up events can no longer fall between
// ours. The paste itself first releases every modifier key, so one a slow hand still holds
// cannot turn Ctrl+V into another shortcut.
class PortalKeystrokeSender : public QObject, public KeystrokeSender
{
    Q_OBJECT
public:
    static inline const QString interface = QStringLiteral("org.freedesktop.portal.RemoteDesktop");
    // A shortcut held longer than this without a release is taken as let go (a desktop may
    // fire Activated without Deactivated).
    static constexpr qint64 heldLimitMs = 2000;
    // How long after a shortcut's release its modifiers still count as held.
    static constexpr qint64 settleMs = 150;

    struct RestoreToken
    {
        std::function<QString()> load;
        std::function<void(const QString&)> save;
    };

    explicit PortalKeystrokeSender(RestoreToken restoreToken = {},
                                   QDBusConnection bus = QDBusConnection::sessionBus(),
                                   QObject* parent = nullptr);
    ~PortalKeystrokeSender() override;

    static bool isAvailable(const QDBusConnection& bus = QDBusConnection::sessionBus());

    bool canSendKeystrokes() const override { return m_state == State::started; }
    // Starts the session if it is not running or starting.
    void requestPermission() override;
    // True while a global shortcut of this program is down (Activated without Deactivated,
    // for at most heldLimitMs) and for settleMs after its release.
    bool modifiersHeld() const override;
    bool sendPaste() override;
    void sendPasteThen(std::function<void(bool sent)> done) override;

    // Key events in order: an evdev key code and down (true) or up. `done` reports from the
    // event loop whether the desktop accepted all of them. Each event waits for the answer to
    // the one before: xdg-desktop-portal passes overlapping calls on in any order, and a key's
    // release that overtakes its press leaves the key unpressed (or stuck).
    using KeyEvent = std::pair<int, bool>;
    void sendKeycodes(const QList<KeyEvent>& keys, std::function<void(bool accepted)> done);

    // evdev key codes, as the portal wants them.
    static constexpr int keyLeftCtrl = 29;
    static constexpr int keyV = 47;

Q_SIGNALS:
    // The session started, ended or could not start.
    void stateChanged();

private Q_SLOTS:
    void onActivated(const QDBusObjectPath& session, const QString& id, qulonglong timestamp,
                     const QVariantMap& options);
    void onDeactivated(const QDBusObjectPath& session, const QString& id, qulonglong timestamp,
                       const QVariantMap& options);
    void onSessionClosed(const QVariantMap& details);

private:
    enum class State
    {
        idle,
        starting,
        started,
        failed
    };

    void setState(State state);
    void selectDevices();
    void startSession();
    void forgetSession();
    static QList<KeyEvent> pasteKeys();
    // Sends keys[next] and, once it is accepted, the rest.
    void sendFrom(QList<KeyEvent> keys, qsizetype next, std::function<void(bool)> done);
    // NotifyKeyboardKeycode of one key going down or up in our session.
    QDBusMessage keyEvent(int key, bool down) const;

    RestoreToken m_restoreToken;
    QDBusConnection m_bus;
    uint m_version = 0;
    State m_state = State::idle;
    QString m_session;
    std::map<QString, QElapsedTimer> m_held; // shortcut id -> since when it is down
    QElapsedTimer m_sinceRelease;            // since the last Deactivated
};
