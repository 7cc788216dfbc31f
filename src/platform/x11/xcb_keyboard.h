// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Keyboard facts read from the X server, shared by the grabs and the synthetic paste.
// Internal to this folder: it names xcb types.

#include "platform/x11/keyboard_mapping.h"

#include <cstdint>
#include <optional>
#include <vector>
#include <xcb/xcb.h>

namespace xcb_keyboard {

// Qt's own connection, so that events for our requests arrive in Qt's event loop; null when
// the application does not run on X11.
xcb_connection_t* qtConnection();

// The modifier bits a hotkey is told apart by; lock keys and the group are ignored.
inline constexpr std::uint16_t significantModifiers =
    XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;

// The core keyboard's mapping and group as the X keyboard extension has them now. Absent
// when the server has no such extension or does not answer.
std::optional<KeyboardMapping> readMapping(xcb_connection_t* connection);

// Asks for the notifications that announce another layout or group (new keyboard, map and
// state changes) on this connection; these come on top of what the connection asked before.
// Returns the extension's first event number, 0 when there is no such extension.
std::uint8_t selectLayoutNotifications(xcb_connection_t* connection);

// Whether the event says that keys may now type other keysyms: another keymap, another
// active group, or a changed core mapping.
bool isLayoutChange(const xcb_generic_event_t* event, std::uint8_t xkbEventBase);

// Locks the core keyboard to the group; the request goes out in order with what follows.
void lockGroup(xcb_connection_t* connection, std::uint32_t group);

// Gives the keycode these keysyms (all groups alike), or none when the list is empty.
bool setKeysyms(xcb_connection_t* connection, std::uint8_t keycode,
                const std::vector<std::uint32_t>& keysyms);

// The modifier bit NumLock is mapped to, 0 when it is mapped to none.
std::uint16_t numLockMask(xcb_connection_t* connection, const KeyboardMapping& mapping);

// Keycodes bound to any of the given modifier bits, from the server's modifier mapping.
std::vector<xcb_keycode_t> modifierKeycodes(xcb_connection_t* connection, std::uint16_t modifierMask);

// Whether any of the keycodes is down right now. Absent when the server did not answer.
std::optional<bool> anyKeyDown(xcb_connection_t* connection, const std::vector<xcb_keycode_t>& keycodes);

} // namespace xcb_keyboard
