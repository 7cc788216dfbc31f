// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/keystroke_sender.h"

// For a session that lets no app type into others: codes are only copied.
class UnavailableKeystrokeSender : public KeystrokeSender
{
public:
    bool canSendKeystrokes() const override { return false; }
    void requestPermission() override {}
    bool modifiersHeld() const override { return false; }
    bool sendPaste() override { return false; }
};
