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

    void setPressHandler(PressHandler handler) override;
    void setKeyboardChangeHandler(KeyboardChangeHandler handler) override
    {
        m_keyboardChange = std::move(handler);
    }
    std::optional<Handle> registerHotKey(std::uint32_t macKeyCode, std::uint32_t carbonModifiers,
                                         std::uint32_t hotKeyID) override;
    void unregisterHotKey(Handle handle) override;

    void holdElsewhere(std::uint32_t keyCode, std::uint32_t modifiers);
    void releaseElsewhere(std::uint32_t keyCode, std::uint32_t modifiers);

    // Delivers a press of whichever registration holds the combination; false when none does.
    bool press(std::uint32_t keyCode, std::uint32_t modifiers);
    // Plays the user switching layouts: combinations held elsewhere stand for those the new
    // layout cannot produce.
    void changeKeyboard()
    {
        if (m_keyboardChange)
            m_keyboardChange();
    }
    // Delivers a press carrying this id, registered or not.
    void pressID(std::uint32_t hotKeyID);

    QList<Registration> registrations() const;
    // The registration of a combination, if any.
    std::optional<Registration> registrationOf(std::uint32_t keyCode, std::uint32_t modifiers) const;
    int registerCalls() const { return m_registerCalls; }

private:
    PressHandler m_handler;
    KeyboardChangeHandler m_keyboardChange;
    std::map<Handle, Registration> m_registrations;
    std::set<std::pair<std::uint32_t, std::uint32_t>> m_heldElsewhere;
    Handle m_nextHandle = 1;
    int m_registerCalls = 0;
};
