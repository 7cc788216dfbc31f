// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/hot_key_service.h"

// For a session that offers no global hotkeys to apps: every combination is refused, so the
// Hotkeys tab never counts one as working.
class UnavailableHotKeyService : public HotKeyService
{
public:
    void setPressHandler(PressHandler) override {}
    std::optional<Handle> registerHotKey(std::uint32_t, std::uint32_t, std::uint32_t) override
    {
        return std::nullopt;
    }
    void unregisterHotKey(Handle) override {}
};
