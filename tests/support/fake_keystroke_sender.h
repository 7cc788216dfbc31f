// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/keystroke_sender.h"

#include <functional>

// Scriptable keyboard: whether sending is allowed, and whether modifiers are held, possibly
// as a function of how often the state has been asked for.
class FakeKeystrokeSender : public KeystrokeSender
{
public:
    bool canSendKeystrokes() const override { return m_allowed; }
    void requestPermission() override { ++m_permissionRequests; }
    bool modifiersHeld() const override
    {
        ++m_modifierQueries;
        return m_modifiersHeld ? m_modifiersHeld(m_modifierQueries) : false;
    }
    bool sendPaste() override
    {
        ++m_pastes;
        m_modifiersHeldAtPaste = m_modifiersHeld && m_modifiersHeld(m_modifierQueries);
        return m_sendSucceeds;
    }

    void setAllowed(bool allowed) { m_allowed = allowed; }
    void setSendSucceeds(bool succeeds) { m_sendSucceeds = succeeds; }
    // Called with the 1-based number of the query.
    void setModifiersHeld(std::function<bool(int query)> held) { m_modifiersHeld = std::move(held); }

    int permissionRequests() const { return m_permissionRequests; }
    int pastes() const { return m_pastes; }
    int modifierQueries() const { return m_modifierQueries; }
    bool modifiersHeldAtPaste() const { return m_modifiersHeldAtPaste; }

private:
    bool m_allowed = true;
    bool m_sendSucceeds = true;
    std::function<bool(int)> m_modifiersHeld;
    int m_permissionRequests = 0;
    int m_pastes = 0;
    mutable int m_modifierQueries = 0;
    bool m_modifiersHeldAtPaste = false;
};
