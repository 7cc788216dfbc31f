// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/hot_key_service.h"

#include <cstdint>
#include <functional>
#include <optional>

class HotKeyRegistry;

// One system-wide key combination. Created unregistered, with the next id of the registry;
// registered while it holds a handle; destroying it unregisters it.
class HotKey
{
public:
    HotKey(HotKeyRegistry& registry, std::uint32_t keyCode, std::uint32_t modifiers,
           std::function<void()> action);
    ~HotKey();
    HotKey(const HotKey&) = delete;
    HotKey& operator=(const HotKey&) = delete;

    std::uint32_t id() const { return m_id; }
    std::uint32_t keyCode() const { return m_keyCode; }
    std::uint32_t modifiers() const { return m_modifiers; }
    bool isRegistered() const { return m_handle.has_value(); }
    const std::optional<HotKeyService::Handle>& handle() const { return m_handle; }

    // Drops any earlier registration first, so registering twice leaves exactly one.
    // False when the service refuses the combination; nothing is registered then.
    bool registerHotKey();
    // Harmless when not registered.
    void unregister();

private:
    HotKeyRegistry& m_registry;
    const std::uint32_t m_id;
    const std::uint32_t m_keyCode;
    const std::uint32_t m_modifiers;
    const std::function<void()> m_action;
    std::optional<HotKeyService::Handle> m_handle;
};
