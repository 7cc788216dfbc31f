// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/session/detected_desktop_session.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

QString noShortcutsPortal()
{
    return QCoreApplication::translate(
        "DetectedDesktopSession",
        "This desktop does not offer global shortcuts to apps (GlobalShortcuts portal missing).");
}

} // namespace

DetectedDesktopSession::DetectedDesktopSession(Kind kind, Features features, QString keyringManager)
    : m_kind(kind), m_features(features), m_keyringManager(std::move(keyringManager))
{
}

DetectedDesktopSession::Kind DetectedDesktopSession::kindFor(const QString& qtPlatformName,
                                                             bool waylandDesktop)
{
    if (qtPlatformName.startsWith(QLatin1String("wayland")))
        return Kind::wayland;
    if (qtPlatformName == QLatin1String("xcb"))
        return waylandDesktop ? Kind::xwayland : Kind::x11;
    return Kind::other;
}

QString DetectedDesktopSession::limitsNotice() const
{
    switch (m_kind) {
    case Kind::x11:
    case Kind::other:
        return {};
    case Kind::xwayland:
        return QCoreApplication::translate(
            "DetectedDesktopSession",
            "Running through XWayland: global hotkeys and auto-paste work only while an X11 app has the "
            "focus, and Scan screen sees only X11 windows. Install qt6-wayland for the desktop's own "
            "shortcuts.");
    case Kind::wayland:
        break;
    }
    QStringList missing;
    if (!m_features.globalShortcuts)
        missing << noShortcutsPortal();
    if (!m_features.remoteDesktop)
        missing << QCoreApplication::translate(
            "DetectedDesktopSession",
            "This desktop does not let apps type into other apps, so auto-paste only copies "
            "(RemoteDesktop portal missing).");
    if (!m_features.screenshot)
        missing << QCoreApplication::translate(
            "DetectedDesktopSession",
            "Scan screen cannot see the screen (Screenshot portal missing); use Image file.");
    return missing.join(QLatin1Char(' '));
}

QString DetectedDesktopSession::hotKeysNotice() const
{
    if (m_kind == Kind::wayland && !m_features.globalShortcuts)
        return noShortcutsPortal() + u' ' +
               QCoreApplication::translate("DetectedDesktopSession",
                                           "Codes can still be copied by clicking them.");
    if (m_kind == Kind::xwayland)
        return QCoreApplication::translate(
            "DetectedDesktopSession",
            "Running through XWayland: hotkeys work only while an X11 app has the focus.");
    return {};
}
