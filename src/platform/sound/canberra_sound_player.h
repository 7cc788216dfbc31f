// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/sound_player.h"

#include <memory>

// Plays the theme's "message" event as the confirmation and "bell" as the alert.
// libcanberra plays asynchronously; a session without a sound device plays nothing.
class CanberraSoundPlayer : public SoundPlayer
{
public:
    CanberraSoundPlayer();
    ~CanberraSoundPlayer() override;
    CanberraSoundPlayer(const CanberraSoundPlayer&) = delete;
    CanberraSoundPlayer& operator=(const CanberraSoundPlayer&) = delete;

    void playConfirmation() override;
    void playAlert() override;

    // The libcanberra status of the last attempt (0 = played); for diagnostics and tests.
    int lastStatus() const { return m_lastStatus; }

private:
    void play(const char* eventID, const char* description);

    struct Context;
    std::unique_ptr<Context> m_context;
    int m_lastStatus = 0;
};
