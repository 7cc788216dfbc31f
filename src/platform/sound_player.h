// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Short event sounds from the desktop's sound theme. Without a sound device these do
// nothing; they never block.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;

    // The light confirmation after a code was copied.
    virtual void playConfirmation() = 0;

    // The alert beep for something that could not be done.
    virtual void playAlert() = 0;
};
