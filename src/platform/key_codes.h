#pragma once

#include <QtCore/qnamespace.h>
#include <cstdint>
#include <optional>

// Stored combinations keep macOS virtual key codes and Carbon modifier masks, so bindings
// written anywhere read the same everywhere. This is the one place that translates them
// to and from X keysyms (plain numbers, no X headers) and Qt keys and modifiers.
// A key code names a physical key of the ANSI layout; through its keysym a binding follows
// whatever layout the user has.

namespace CarbonMask {
inline constexpr std::uint32_t command = 0x0100; // Ctrl here
inline constexpr std::uint32_t shift = 0x0200;   // Shift
inline constexpr std::uint32_t option = 0x0800;  // Alt
inline constexpr std::uint32_t control = 0x1000; // Super
inline constexpr std::uint32_t all = command | shift | option | control;
} // namespace CarbonMask

// The core X modifier bits (X.h values) that the Carbon masks stand for.
namespace X11ModifierMask {
inline constexpr std::uint32_t shift = 0x0001;
inline constexpr std::uint32_t control = 0x0004;
inline constexpr std::uint32_t mod1 = 0x0008; // Alt
inline constexpr std::uint32_t mod4 = 0x0040; // Super
inline constexpr std::uint32_t all = shift | control | mod1 | mod4;
} // namespace X11ModifierMask

// Key codes that the program refers to by name.
namespace MacKeyCode {
inline constexpr std::uint32_t a = 0;
inline constexpr std::uint32_t v = 9;
inline constexpr std::uint32_t k = 40;
inline constexpr std::uint32_t escape = 53;
inline constexpr std::uint32_t f5 = 96;
} // namespace MacKeyCode

// The keysym of the unshifted key (XK_a for A, XK_KP_1 for keypad 1); absent for codes
// without a key on this side (modifier keys, Fn, JIS-only keys).
std::optional<std::uint32_t> keysymForMacKeyCode(std::uint32_t macKeyCode);

// Also accepts what the ANSI layout gives with Shift held (XK_exclam is the 1 key, XK_K the
// K key, ISO_Left_Tab the Tab key) and keypad keys with NumLock off.
std::optional<std::uint32_t> macKeyCodeForKeysym(std::uint32_t keysym);

// Qt::KeypadModifier in `modifiers` picks the keypad key (Qt reports keypad 1 as Key_1).
std::optional<int> qtKeyForMacKeyCode(std::uint32_t macKeyCode);
std::optional<std::uint32_t> macKeyCodeForQtKey(int qtKey, Qt::KeyboardModifiers modifiers = {});

// A key event's key: by its keysym when the platform gives one (0 when it does not), which
// names the physical key even with Shift held, else by its Qt key.
std::optional<std::uint32_t> macKeyCodeForKey(std::uint32_t keysym, int qtKey,
                                              Qt::KeyboardModifiers modifiers);

// Only Ctrl, Shift, Alt and Meta (Super) count; keypad and group switches are ignored.
std::uint32_t carbonMaskForQtModifiers(Qt::KeyboardModifiers modifiers);
Qt::KeyboardModifiers qtModifiersForCarbonMask(std::uint32_t mask);

std::uint32_t x11ModifiersForCarbonMask(std::uint32_t mask);
// Lock and other modifier bits of an X event state are ignored.
std::uint32_t carbonMaskForX11Modifiers(std::uint32_t state);
