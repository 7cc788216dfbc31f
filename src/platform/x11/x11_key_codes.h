// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>

// The X side of the stored combinations (see platform/key_codes.h): keysyms and core
// modifier bits, as plain numbers.

// The core X modifier bits (X.h values) that the Carbon masks stand for.
namespace X11ModifierMask {
inline constexpr std::uint32_t shift = 0x0001;
inline constexpr std::uint32_t control = 0x0004;
inline constexpr std::uint32_t mod1 = 0x0008; // Alt
inline constexpr std::uint32_t mod4 = 0x0040; // Super
inline constexpr std::uint32_t all = shift | control | mod1 | mod4;
} // namespace X11ModifierMask

// What the key types on the US layout without Shift (XK_a for A, XK_KP_1 for keypad 1);
// absent for codes without a key on this side (modifier keys, Fn, JIS-only keys).
std::optional<std::uint32_t> keysymForMacKeyCode(std::uint32_t macKeyCode);

std::uint32_t x11ModifiersForCarbonMask(std::uint32_t mask);
