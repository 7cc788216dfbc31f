// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/result.h"

#include <QString>

// Starting the program when the user logs in.
class LoginItem
{
public:
    // The values the settings window distinguishes; an autostart entry is never waiting for
    // approval, but the state is kept so a backend that has it can report it.
    enum class Status
    {
        notRegistered,
        enabled,
        requiresApproval,
        notFound
    };

    virtual ~LoginItem() = default;

    virtual Status status() const = 0;

    // Each either succeeds or gives a message fit to show the user as it stands.
    virtual Result<Done, QString> registerItem() = 0;
    virtual Result<Done, QString> unregisterItem() = 0;
};
