// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fake_hot_key_service.h"

void FakeHotKeyService::setPressHandler(PressHandler handler)
{
    m_handler = std::move(handler);
}

std::optional<HotKeyService::Handle> FakeHotKeyService::registerHotKey(std::uint32_t macKeyCode,
                                                                       std::uint32_t carbonModifiers,
                                                                       std::uint32_t hotKeyID)
{
    ++m_registerCalls;
    if (m_heldElsewhere.count({macKeyCode, carbonModifiers}) || registrationOf(macKeyCode, carbonModifiers))
        return std::nullopt;
    const Handle handle = m_nextHandle++;
    m_registrations[handle] = Registration{macKeyCode, carbonModifiers, hotKeyID};
    return handle;
}

void FakeHotKeyService::unregisterHotKey(Handle handle)
{
    m_registrations.erase(handle);
}

void FakeHotKeyService::holdElsewhere(std::uint32_t keyCode, std::uint32_t modifiers)
{
    m_heldElsewhere.insert({keyCode, modifiers});
}

void FakeHotKeyService::releaseElsewhere(std::uint32_t keyCode, std::uint32_t modifiers)
{
    m_heldElsewhere.erase({keyCode, modifiers});
}

bool FakeHotKeyService::press(std::uint32_t keyCode, std::uint32_t modifiers)
{
    const std::optional<Registration> registration = registrationOf(keyCode, modifiers);
    if (!registration)
        return false;
    pressID(registration->hotKeyID);
    return true;
}

void FakeHotKeyService::pressID(std::uint32_t hotKeyID)
{
    if (m_handler)
        m_handler(hotKeyID);
}

QList<FakeHotKeyService::Registration> FakeHotKeyService::registrations() const
{
    QList<Registration> result;
    for (const auto& [handle, registration] : m_registrations)
        result.append(registration);
    return result;
}

std::optional<FakeHotKeyService::Registration>
FakeHotKeyService::registrationOf(std::uint32_t keyCode, std::uint32_t modifiers) const
{
    for (const auto& [handle, registration] : m_registrations) {
        if (registration.keyCode == keyCode && registration.modifiers == modifiers)
            return registration;
    }
    return std::nullopt;
}
