// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtCore/qnamespace.h>
#include <cstdint>
#include <optional>

// Stored combinations keep macOS virtual key codes and Carbon modifier masks, so bindings
// written anywhere read the same everywhere. A key code names a physical key of the ANSI
// (US) keyboard. This is where they meet Qt's keys and modifiers and the keyboard's own key
// numbers; each display backend maps them to its keys in its own folder.

namespace CarbonMask {
inline constexpr std::uint32_t command = 0x0100; // Ctrl here
inline constexpr std::uint32_t shift = 0x0200;   // Shift
inline constexpr std::uint32_t option = 0x0800;  // Alt
inline constexpr std::uint32_t control = 0x1000; // Super
inline constexpr std::uint32_t all = command | shift | option | control;
} // namespace CarbonMask

// Key codes that the program refers to by name.
namespace MacKeyCode {
inline constexpr std::uint32_t a = 0;
inline constexpr std::uint32_t v = 9;
inline constexpr std::uint32_t k = 40;
inline constexpr std::uint32_t escape = 53;
inline constexpr std::uint32_t f5 = 96;
} // namespace MacKeyCode

// Qt::KeypadModifier in `modifiers` picks the keypad key (Qt reports keypad 1 as Key_1).
std::optional<int> qtKeyForMacKeyCode(std::uint32_t macKeyCode);
std::optional<std::uint32_t> macKeyCodeForQtKey(int qtKey, Qt::KeyboardModifiers modifiers = {});

// The XKB keycode of the physical key: the Linux input code + 8, as X servers and Wayland
// compositors on Linux number keys (Qt's native scan code). Only the main block of letters,
// digits, punctuation, Space, Tab, Return, Backspace and Escape is mapped: elsewhere every
// layout has the same keys.
std::optional<std::uint32_t> xkbKeycodeForMacKeyCode(std::uint32_t macKeyCode);
std::optional<std::uint32_t> macKeyCodeForXkbKeycode(std::uint32_t xkbKeycode);

// The key of a key event, by what it types where that is a Latin letter or digit (so a
// German Z or a Dvorak layout is taken by its letter), else by its place on the keyboard
// where that is in the main block (a Cyrillic letter is the US key at its place, Shift+1 is
// the 1 key), else by Qt's key. `xkbKeycode` is 0 when the platform does not report one.
std::optional<std::uint32_t> macKeyCodeForKeyEvent(int qtKey, Qt::KeyboardModifiers modifiers,
                                                   std::uint32_t xkbKeycode);

// Only Ctrl, Shift, Alt and Meta (Super) count; keypad and group switches are ignored.
std::uint32_t carbonMaskForQtModifiers(Qt::KeyboardModifiers modifiers);
Qt::KeyboardModifiers qtModifiersForCarbonMask(std::uint32_t mask);
