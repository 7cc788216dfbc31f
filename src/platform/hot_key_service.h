// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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
    virtual void setKeyboardChangeHandler(KeyboardChangeHandler handler) { (void)handler; }

    // Absent when the combination is refused: held by another client, or a key this
    // keyboard cannot produce. A refusal leaves nothing registered.
    virtual std::optional<Handle> registerHotKey(std::uint32_t macKeyCode, std::uint32_t carbonModifiers,
                                                 std::uint32_t hotKeyID) = 0;

    // Harmless for a handle that is no longer registered.
    virtual void unregisterHotKey(Handle handle) = 0;
};
