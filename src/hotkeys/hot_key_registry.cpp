// SPDX-License-Identifier: GPL-3.0-or-later
#include "hotkeys/hot_key_registry.h"

#include "platform/hot_key_service.h"

#include <QTimer>

HotKeyRegistry::HotKeyRegistry(HotKeyService& service) : m_service(service) {}

HotKeyRegistry::~HotKeyRegistry()
{
    if (m_handlerInstalled)
        m_service.setPressHandler({});
}

void HotKeyRegistry::installHandler()
{
    if (m_handlerInstalled)
        return;
    m_handlerInstalled = true;
    m_service.setPressHandler([this](std::uint32_t id) { queuePress(id); });
}

void HotKeyRegistry::setAction(std::uint32_t id, std::function<void()> action)
{
    m_actions[id] = std::move(action);
}

void HotKeyRegistry::removeAction(std::uint32_t id)
{
    m_actions.erase(id);
}

void HotKeyRegistry::queuePress(std::uint32_t id)
{
    QTimer::singleShot(0, &m_queueContext, [this, id] {
        const auto it = m_actions.find(id);
        if (it == m_actions.end())
            return;
        // A copy: the action may resynchronise and so replace its own entry.
        const std::function<void()> action = it->second;
        action();
    });
}
