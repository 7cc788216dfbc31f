// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// The keyboard as the X server maps it, reduced to what choosing keys needs: for each
// keycode the keysyms of every group (layout) by shift level. Plain data, so the choices
// below are made the same with or without a display.
struct KeyboardMapping
{
    struct Key
    {
        std::uint8_t keycode = 0;
        // [group][level]; a key with fewer groups than the keyboard wraps around, as XKB does.
        std::vector<std::vector<std::uint32_t>> groups;
    };

    std::vector<Key> keys;
    std::uint32_t groupCount = 1;
    std::uint32_t activeGroup = 0; // the effective group, which keys type in now
    std::uint32_t lockedGroup = 0;

    // The keysyms of the key in that group, by level; empty for a key that types nothing.
    const std::vector<std::uint32_t>& levels(const Key& key, std::uint32_t group) const;
    const Key* key(std::uint8_t keycode) const;
    // Every keycode that types the keysym in the group, on the first level or on any.
    std::vector<std::uint8_t> keycodesTyping(std::uint32_t keysym, std::uint32_t group,
                                             bool firstLevelOnly) const;
};

// Whether every key types the same in the active group of both: combinations then stay on
// their keys.
bool typesTheSame(const KeyboardMapping& a, const KeyboardMapping& b);

// The keys a combination on the stored key code is grabbed on, in the active group: the key
// that types its US symbol without Shift (a German Z, a Dvorak K); where no key does (the
// group is Cyrillic, say), the key at its US place; for keys off the main block, one that
// types it on any level (keypad digits). Empty when the keyboard has none.
std::vector<std::uint8_t> keycodesForMacKeyCode(const KeyboardMapping& mapping, std::uint32_t macKeyCode);

// Where to type a keysym for the focused application to see it: a key that types it on the
// first level, in the active group when it has one, else in the next group that does.
struct KeyPlace
{
    std::uint8_t keycode = 0;
    std::uint32_t group = 0;
};
std::optional<KeyPlace> placeOfKeysym(const KeyboardMapping& mapping, std::uint32_t keysym);

// A keycode that types nothing in any group, to lend a keysym no group has; the highest.
std::optional<std::uint8_t> unusedKeycode(const KeyboardMapping& mapping);
