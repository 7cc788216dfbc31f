// SPDX-License-Identifier: GPL-3.0-or-later
#include "hotkeys/hot_key.h"

#include "hotkeys/hot_key_registry.h"

HotKey::HotKey(HotKeyRegistry& registry, std::uint32_t keyCode, std::uint32_t modifiers,
               std::function<void()> action)
    : m_registry(registry), m_id(registry.takeNextID()), m_keyCode(keyCode), m_modifiers(modifiers),
      m_action(std::move(action))
{
}

HotKey::~HotKey()
{
    unregister();
}

bool HotKey::registerHotKey()
{
    unregister();
    m_registry.installHandler();
    m_handle = m_registry.service().registerHotKey(m_keyCode, m_modifiers, m_id);
    if (!m_handle)
        return false;
    m_registry.setAction(m_id, m_action);
    return true;
}

void HotKey::unregister()
{
    if (m_handle) {
        m_registry.service().unregisterHotKey(*m_handle);
        m_handle.reset();
    }
    m_registry.removeAction(m_id);
}
