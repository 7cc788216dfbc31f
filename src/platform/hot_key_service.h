// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

// System-wide key combinations. Combinations are given as they are stored in the bindings:
// a macOS virtual key code and a Carbon modifier mask (command 0x0100, shift 0x0200,
// option 0x0800, control 0x1000); the backend maps them to its own keys.
class HotKeyService
{
public:
    using Handle = std::uint64_t;
    // Receives the id given at registration, on the GUI thread.
    using PressHandler = std::function<void(std::uint32_t hotKeyID)>;
    using KeyboardChangeHandler = std::function<void()>;

    virtual ~HotKeyService() = default;

    // Replaces the single receiver of presses.
    virtual void setPressHandler(PressHandler handler) = 0;

    // Replaces the single receiver of keyboard changes: another layout, or another layout
    // group made active, after which the registered combinations may belong to other keys.
    // The receiver registers its combinations again, on the GUI thread; one that the new
    // layout cannot produce is then refused like any other. A backend whose keys never
    // change with the layout never calls it.
    virtual void setKeyboardChangeHandler(const KeyboardChangeHandler& /*handler*/) {}

    // Absent when the combination is refused: held by another client, or a key this
    // keyboard cannot produce. A refusal leaves nothing registered.
    virtual std::optional<Handle> registerHotKey(std::uint32_t macKeyCode, std::uint32_t carbonModifiers,
                                                 std::uint32_t hotKeyID) = 0;

    // Harmless for a handle that is no longer registered.
    virtual void unregisterHotKey(Handle handle) = 0;

    // Names a registration for desktops that list an app's shortcuts to the user: `id` stays
    // the same across runs, `label` is what the user reads there. Others ignore it.
    virtual void describeHotKey(Handle /*handle*/, const QString& /*id*/, const QString& /*label*/) {}

    // Where the desktop, not the app, decides the keys: what it actually assigned to a
    // registration when that differs from what was asked, in the desktop's own words, or an
    // empty text when it assigned no key at all. Absent when it is as asked, or not known yet.
    virtual std::optional<QString> assignedTrigger(Handle /*handle*/) const { return std::nullopt; }
    // Called on the GUI thread whenever assignedTrigger may have changed.
    virtual void setAssignmentHandler(const std::function<void()>& /*handler*/) {}
};
