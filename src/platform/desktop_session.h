// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What this desktop session lets the program do beyond its own windows, and its keyring
// manager. The windows ask this instead of knowing which display system they run on.
class DesktopSession
{
public:
    virtual ~DesktopSession() = default;

    // One line for the main window naming what does not work here and why; empty when
    // everything does.
    virtual QString limitsNotice() const = 0;
    // What the Hotkeys tab says when global hotkeys cannot work here; empty when they can.
    virtual QString hotKeysNotice() const = 0;
    // The program "Open Keyring Manager" starts, or empty when none is installed.
    virtual QString keyringManager() const = 0;
};
