// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/keystroke_sender.h"

#include <QTimer>
#include <cstdint>
#include <optional>

struct xcb_connection_t;

// Synthetic Ctrl+V through the XTEST extension on Qt's xcb connection. Without a
// QGuiApplication on the xcb platform, or without XTEST, nothing can be sent.
// Applications see Ctrl+V whatever layout is active: V is typed where the active group has
// it, else in a group that has it (locked for the keystrokes, then given back), else on an
// unused keycode lent the V for a moment, as no group of the keyboard has one.
class X11KeystrokeSender : public KeystrokeSender
{
public:
    X11KeystrokeSender();
    ~X11KeystrokeSender() override;
    X11KeystrokeSender(const X11KeystrokeSender&) = delete;
    X11KeystrokeSender& operator=(const X11KeystrokeSender&) = delete;

    bool canSendKeystrokes() const override;
    void requestPermission() override;
    bool modifiersHeld() const override;
    bool sendPaste() override;

private:
    std::optional<std::uint8_t> lentKeycode();
    void returnLentKeycode();

    xcb_connection_t* m_connection = nullptr;
    std::optional<std::uint8_t> m_lentKeycode;
    QTimer m_returnLent;
};
