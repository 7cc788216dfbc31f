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
        return QStringLiteral("wayland;xcb");
    return {};
}

bool DisplaySession::canShowWindows() const
{
    if (!requestedPlatform.isEmpty() && !requestedPlatform.startsWith(QLatin1String("xcb")) &&
        !requestedPlatform.startsWith(QLatin1String("wayland")))
        return true;
    return hasX11 || hasWayland;
}

namespace {

QtMessageHandler previousHandler = nullptr;

void displayFailureHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg && (message.contains(QLatin1String("platform plugin")) ||
                               message.contains(QLatin1String("could not connect to display")))) {
        std::fputs(
            "Brisvane could not open a display: it is a desktop app and needs a running X11 or Wayland "
            "session.\nStart it from a terminal inside your desktop session, or check DISPLAY and "
            "WAYLAND_DISPLAY.\n",
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
