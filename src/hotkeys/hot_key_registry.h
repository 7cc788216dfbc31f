// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <cstdint>
#include <functional>
#include <map>

class HotKeyService;

// Routes presses from the hotkey service to the action of the HotKey registered under the
// pressed id, and hands out those ids: 1, 2, 3, ... never reused while the registry lives.
// The application keeps exactly one (inside the HotKeyController) for the life of the
// process. The service must outlive the registry.
class HotKeyRegistry
{
public:
    explicit HotKeyRegistry(HotKeyService& service);
    ~HotKeyRegistry();
    HotKeyRegistry(const HotKeyRegistry&) = delete;
    HotKeyRegistry& operator=(const HotKeyRegistry&) = delete;

    HotKeyService& service() { return m_service; }
    const HotKeyService& service() const { return m_service; }

    std::uint32_t takeNextID() { return m_nextID++; }

    // Installs the press handler with the service the first time; later calls do nothing.
    void installHandler();

    void setAction(std::uint32_t id, std::function<void()> action);
    void removeAction(std::uint32_t id);
    bool hasAction(std::uint32_t id) const { return m_actions.count(id) != 0; }
    std::size_t actionCount() const { return m_actions.size(); }

private:
    // The action is looked up when the queued call runs, so a hotkey unregistered in between
    // does nothing.
    void queuePress(std::uint32_t id);

    HotKeyService& m_service;
    std::map<std::uint32_t, std::function<void()>> m_actions;
    std::uint32_t m_nextID = 1;
    bool m_handlerInstalled = false;
    QObject m_queueContext; // pending presses die with the registry
};
