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

    // Qt platform to force before QApplication exists: X11 through XWayland in a Wayland
    // session that offers it, because hotkeys and paste are built on X11; empty = Qt's choice.
    QString preferredPlatform() const;
    // Without any display there is nothing to show; offscreen and similar platforms are the
    // user's explicit choice and run anyway.
    bool canShowWindows() const;
    // One line about what does not work in this session, or empty when everything does.
    QString limitsNotice() const;
};

// Replaces Qt's abort text when no platform plugin can reach the display by a clear
// message and exit status 1.
void installDisplayFailureMessage();
