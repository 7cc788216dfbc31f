// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What the desktop session offers, read from the environment before Qt starts.
struct DisplaySession
{
    bool hasX11 = false;       // DISPLAY is set
    bool hasWayland = false;   // WAYLAND_DISPLAY is set
    QString requestedPlatform; // QT_QPA_PLATFORM, if the user chose one

    static DisplaySession fromEnvironment();

    // Qt platform to ask for before QApplication exists: in a Wayland session that also runs
    // XWayland, native Wayland first (the desktop portals serve hotkeys and paste there) and
    // X11 when Qt's Wayland plugin is missing; empty = Qt's choice.
    QString preferredPlatform() const;
    // Without any display there is nothing to show; offscreen and similar platforms are the
    // user's explicit choice and run anyway.
    bool canShowWindows() const;
};

// Replaces Qt's abort text when no platform plugin can reach the display by a clear
// message and exit status 1.
void installDisplayFailureMessage();
