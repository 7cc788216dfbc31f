// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/session/display_session.h"

#include <QCoreApplication>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

DisplaySession DisplaySession::fromEnvironment()
{
    DisplaySession session;
    session.hasX11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    session.hasWayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    session.requestedPlatform = qEnvironmentVariable("QT_QPA_PLATFORM");
    return session;
}

QString DisplaySession::preferredPlatform() const
{
    if (requestedPlatform.isEmpty() && hasWayland && hasX11)
        return QStringLiteral("xcb");
    return {};
}

bool DisplaySession::canShowWindows() const
{
    if (!requestedPlatform.isEmpty() && !requestedPlatform.startsWith(QLatin1String("xcb")) &&
        !requestedPlatform.startsWith(QLatin1String("wayland")))
        return true;
    return hasX11 || hasWayland;
}

QString DisplaySession::limitsNotice() const
{
    if (!hasWayland)
        return {};
    const QString platform = preferredPlatform().isEmpty() ? requestedPlatform : preferredPlatform();
    if (hasX11 && (platform.isEmpty() || platform.startsWith(QLatin1String("xcb"))))
        return QCoreApplication::translate(
            "DisplaySession",
            "Wayland session: global hotkeys and auto-paste work only while an X11 app has the "
            "focus, and Scan screen sees only X11 windows. Use Image file or paste a setup link "
            "to add accounts.");
    return QCoreApplication::translate(
        "DisplaySession",
        "Wayland session without X11 support: global hotkeys, auto-paste and Scan screen are not "
        "available. Codes can still be copied by clicking them.");
}

namespace {

QtMessageHandler previousHandler = nullptr;

void displayFailureHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg && (message.contains(QLatin1String("platform plugin")) ||
                               message.contains(QLatin1String("could not connect to display")))) {
        std::fputs(
            "Brisvane could not open a display: it is a desktop app and needs a running X11 (or XWayland) "
            "session.\nStart it from a terminal inside your desktop session, or check DISPLAY.\n",
            stderr);
        std::_Exit(1);
    }
    if (previousHandler != nullptr)
        previousHandler(type, context, message);
}

} // namespace

void installDisplayFailureMessage()
{
    previousHandler = qInstallMessageHandler(displayFailureHandler);
}
