// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/desktop_session.h"

// The desktop session as found at start-up: which display system Qt runs on and which of the
// features beyond our own windows exist there.
class DetectedDesktopSession : public DesktopSession
{
public:
    enum class Kind
    {
        x11,      // X11 backends
        xwayland, // a Wayland desktop reached through XWayland: X11 backends see X11 apps only
        wayland,  // native Wayland: the desktop portals, where offered
        other,    // offscreen and similar: nothing beyond our windows
    };
    struct Features
    {
        bool globalShortcuts = false; // GlobalShortcuts portal (Wayland)
        bool remoteDesktop = false;   // RemoteDesktop portal (Wayland)
        bool screenshot = false;      // Screenshot portal (Wayland)
    };

    DetectedDesktopSession(Kind kind, Features features, QString keyringManager);

    // From the Qt platform plugin in use ("xcb", "wayland", ...) and whether the Wayland
    // desktop runs an X server too.
    static Kind kindFor(const QString& qtPlatformName, bool waylandDesktop);

    Kind kind() const { return m_kind; }
    const Features& features() const { return m_features; }
    QString limitsNotice() const override;
    QString hotKeysNotice() const override;
    QString keyringManager() const override { return m_keyringManager; }

private:
    Kind m_kind;
    Features m_features;
    QString m_keyringManager;
};
