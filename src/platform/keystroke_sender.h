// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

// Synthetic keystrokes into whatever application has the keyboard focus.
class KeystrokeSender
{
public:
    virtual ~KeystrokeSender() = default;

    // Whether this desktop session lets us type into other applications at all.
    virtual bool canSendKeystrokes() const = 0;

    // Asks the desktop for that permission; nothing happens where no such prompt exists.
    virtual void requestPermission() = 0;

    // True while Shift, Ctrl, Alt or Super is physically held down. A paste sent then
    // would arrive as some other shortcut.
    virtual bool modifiersHeld() const = 0;

    // Ctrl down, V down, V up, Ctrl up, flushed. False when nothing could be sent.
    virtual bool sendPaste() = 0;

    // The same, reporting from the event loop once the desktop has accepted (true) or refused
    // the key events. Backends whose sending finishes at once report at once.
    virtual void sendPasteThen(std::function<void(bool sent)> done)
    {
        const auto report = std::move(done);
        report(sendPaste());
    }
};
