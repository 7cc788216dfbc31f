#pragma once

#include "platform/keystroke_sender.h"

struct xcb_connection_t;

// Synthetic Ctrl+V through the XTEST extension on Qt's xcb connection. Without a
// QGuiApplication on the xcb platform, or without XTEST, nothing can be sent.
class X11KeystrokeSender : public KeystrokeSender
{
public:
    X11KeystrokeSender();

    bool canSendKeystrokes() const override;
    void requestPermission() override;
    bool modifiersHeld() const override;
    bool sendPaste() override;

private:
    xcb_connection_t* m_connection = nullptr;
};
