// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/hot_key_service.h"

#include <QList>
#include <cstdint>
#include <map>
#include <set>
#include <utility>

// An in-memory hotkey service. Combinations can be marked as held by another program;
// press() plays the platform delivering a press.
class FakeHotKeyService : public HotKeyService
{
public:
    struct Registration
    {
        std::uint32_t keyCode;
        std::uint32_t modifiers;
        std::uint32_t hotKeyID;
    };

    void setPressHandler(PressHandler handler) override { m_handler = std::move(handler); }
    void setKeyboardChangeHandler(const KeyboardChangeHandler& handler) override
    {
        m_keyboardChange = handler;
    }
    std::optional<Handle> registerHotKey(std::uint32_t macKeyCode, std::uint32_t carbonModifiers,
                                         std::uint32_t hotKeyID) override
    {
        ++m_registerCalls;
        if (m_heldElsewhere.count({macKeyCode, carbonModifiers}) ||
            registrationOf(macKeyCode, carbonModifiers))
            return std::nullopt;
        m_registrations[m_nextHandle] = Registration{macKeyCode, carbonModifiers, hotKeyID};
        return m_nextHandle++;
    }
    void unregisterHotKey(Handle handle) override { m_registrations.erase(handle); }

    void holdElsewhere(std::uint32_t keyCode, std::uint32_t modifiers)
    {
        m_heldElsewhere.insert({keyCode, modifiers});
    }
    void releaseElsewhere(std::uint32_t keyCode, std::uint32_t modifiers)
    {
        m_heldElsewhere.erase({keyCode, modifiers});
    }

    // Delivers a press of whichever registration holds the combination; false when none does.
    bool press(std::uint32_t keyCode, std::uint32_t modifiers)
    {
        const std::optional<Registration> registration = registrationOf(keyCode, modifiers);
        if (registration)
            pressID(registration->hotKeyID);
        return registration.has_value();
    }
    // Plays the user switching layouts: combinations held elsewhere stand for those the new
    // layout cannot produce.
    void changeKeyboard()
    {
        if (m_keyboardChange)
            m_keyboardChange();
    }
    // Delivers a press carrying this id, registered or not.
    void pressID(std::uint32_t hotKeyID)
    {
        if (m_handler)
            m_handler(hotKeyID);
    }

    QList<Registration> registrations() const
    {
        QList<Registration> result;
        for (const auto& [handle, registration] : m_registrations)
            result.append(registration);
        return result;
    }
    // The registration of a combination, if any.
    std::optional<Registration> registrationOf(std::uint32_t keyCode, std::uint32_t modifiers) const
    {
        for (const auto& [handle, registration] : m_registrations) {
            if (registration.keyCode == keyCode && registration.modifiers == modifiers)
                return registration;
        }
        return std::nullopt;
    }
    int registerCalls() const { return m_registerCalls; }

private:
    PressHandler m_handler;
    KeyboardChangeHandler m_keyboardChange;
    std::map<Handle, Registration> m_registrations;
    std::set<std::pair<std::uint32_t, std::uint32_t>> m_heldElsewhere;
    Handle m_nextHandle = 1;
    int m_registerCalls = 0;
};
