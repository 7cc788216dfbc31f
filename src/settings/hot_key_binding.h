// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QUuid>
#include <cstdint>
#include <optional>

// One key combination bound to one account. keyCode is a macOS virtual key code and
// modifiers a Carbon mask (see platform/key_codes.h); keyCode 0 means nothing recorded yet.
struct HotKeyBinding
{
    QUuid id;
    std::optional<QUuid> accountID;
    std::uint32_t keyCode = 0;
    std::uint32_t modifiers = 0;
    bool enabled = true;
    bool autoPaste = false;

    bool operator==(const HotKeyBinding&) const = default;
};
