// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/sound_player.h"

#include <QStringList>

// Records the sounds asked for, in order: "confirmation", "alert".
class FakeSoundPlayer : public SoundPlayer
{
public:
    void playConfirmation() override { m_played.append(QStringLiteral("confirmation")); }
    void playAlert() override { m_played.append(QStringLiteral("alert")); }

    const QStringList& played() const { return m_played; }

private:
    QStringList m_played;
};
