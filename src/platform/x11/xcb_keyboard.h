#pragma once

// Keyboard facts read from the X server, shared by the grabs and the synthetic paste.
// Internal to this folder: it names xcb types.

#include <cstdint>
#include <optional>
#include <vector>
#include <xcb/xcb.h>

namespace xcb_keyboard {

// The modifier bits a hotkey is told apart by; lock keys are ignored.
inline constexpr std::uint16_t significantModifiers =
    XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;

// Every keycode that produces the keysym in the current layout, without duplicates.
std::vector<xcb_keycode_t> keycodesForKeysym(xcb_connection_t* connection, std::uint32_t keysym);

// The modifier bit NumLock is mapped to, 0 when it is mapped to none.
std::uint16_t numLockMask(xcb_connection_t* connection);

// Keycodes bound to any of the given modifier bits, from the server's modifier mapping.
std::vector<xcb_keycode_t> modifierKeycodes(xcb_connection_t* connection, std::uint16_t modifierMask);

// Whether any of the keycodes is down right now. Absent when the server did not answer.
std::optional<bool> anyKeyDown(xcb_connection_t* connection, const std::vector<xcb_keycode_t>& keycodes);

} // namespace xcb_keyboard
