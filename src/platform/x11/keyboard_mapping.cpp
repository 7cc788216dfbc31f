// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/keyboard_mapping.h"

#include "platform/key_codes.h"
#include "platform/x11/x11_key_codes.h"

#include <algorithm>

const std::vector<std::uint32_t>& KeyboardMapping::levels(const Key& key, std::uint32_t group) const
{
    static const std::vector<std::uint32_t> none;
    if (key.groups.empty())
        return none;
    return key.groups[group % key.groups.size()];
}

const KeyboardMapping::Key* KeyboardMapping::key(std::uint8_t keycode) const
{
    const auto it =
        std::find_if(keys.begin(), keys.end(), [&](const Key& k) { return k.keycode == keycode; });
    return it == keys.end() ? nullptr : &*it;
}

std::vector<std::uint8_t> KeyboardMapping::keycodesTyping(std::uint32_t keysym, std::uint32_t group,
                                                          bool firstLevelOnly) const
{
    std::vector<std::uint8_t> result;
    for (const Key& k : keys) {
        const std::vector<std::uint32_t>& syms = levels(k, group);
        const auto end = firstLevelOnly && !syms.empty() ? syms.begin() + 1 : syms.end();
        if (std::find(syms.begin(), end, keysym) != end)
            result.push_back(k.keycode);
    }
    return result;
}

bool typesTheSame(const KeyboardMapping& a, const KeyboardMapping& b)
{
    // A key missing from one types nothing there.
    const auto typed = [](const KeyboardMapping& mapping, std::uint8_t keycode) {
        const KeyboardMapping::Key* key = mapping.key(keycode);
        return key ? mapping.levels(*key, mapping.activeGroup) : std::vector<std::uint32_t>{};
    };
    const auto sameIn = [&](const KeyboardMapping& one, const KeyboardMapping& other) {
        return std::all_of(one.keys.begin(), one.keys.end(), [&](const KeyboardMapping::Key& key) {
            return typed(one, key.keycode) == typed(other, key.keycode);
        });
    };
    return sameIn(a, b) && sameIn(b, a);
}

std::vector<std::uint8_t> keycodesForMacKeyCode(const KeyboardMapping& mapping, std::uint32_t macKeyCode)
{
    const std::optional<std::uint32_t> keysym = keysymForMacKeyCode(macKeyCode);
    if (!keysym)
        return {};
    std::vector<std::uint8_t> keycodes = mapping.keycodesTyping(*keysym, mapping.activeGroup, true);
    if (!keycodes.empty())
        return keycodes;
    // A symbol found only on a shifted level is not what a combination without Shift types,
    // and one with Shift would be another key's: the key at the US place is what the user means.
    if (const std::optional<std::uint32_t> place = xkbKeycodeForMacKeyCode(macKeyCode)) {
        const KeyboardMapping::Key* key =
            *place <= 0xff ? mapping.key(static_cast<std::uint8_t>(*place)) : nullptr;
        if (key && !mapping.levels(*key, mapping.activeGroup).empty())
            return {key->keycode};
        return {};
    }
    return mapping.keycodesTyping(*keysym, mapping.activeGroup, false);
}

std::optional<KeyPlace> placeOfKeysym(const KeyboardMapping& mapping, std::uint32_t keysym)
{
    for (std::uint32_t i = 0; i < mapping.groupCount; ++i) {
        const std::uint32_t group = (mapping.activeGroup + i) % mapping.groupCount;
        const std::vector<std::uint8_t> keycodes = mapping.keycodesTyping(keysym, group, true);
        if (!keycodes.empty())
            return KeyPlace{keycodes.front(), group};
    }
    return std::nullopt;
}

std::optional<std::uint8_t> unusedKeycode(const KeyboardMapping& mapping)
{
    for (auto it = mapping.keys.rbegin(); it != mapping.keys.rend(); ++it) {
        const auto& groups = it->groups;
        if (std::all_of(groups.begin(), groups.end(), [](const auto& syms) {
                return std::all_of(syms.begin(), syms.end(), [](std::uint32_t s) { return s == 0; });
            }))
            return it->keycode;
    }
    return std::nullopt;
}
