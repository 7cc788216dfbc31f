// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/keyboard_mapping.h"
#include "platform/x11/x11_key_codes.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <span>
#include <tuple>

namespace {

using Keycodes = std::vector<std::uint8_t>;

// Keysyms of a few keys of real layouts, by evdev keycode.
constexpr std::uint32_t cyrillicEl = 0x6cc, cyrillicEm = 0x6cd, cyrillicZhe = 0x6d6;
const KeyboardMapping::Key usKeys[] = {{45, {{'k', 'K'}}}, {55, {{'v', 'V'}}},       {29, {{'y', 'Y'}}},
                                       {52, {{'z', 'Z'}}}, {10, {{'1', '!'}}},       {13, {{'4', '$'}}},
                                       {47, {{';', ':'}}}, {87, {{0xff9c, 0xffb1}}}, {8, {}},
                                       {200, {{0, 0}}},    {71, {{0xffc2, 0xffc2}}}};
const KeyboardMapping::Key ruKeys[] = {{45, {{cyrillicEl}}}, {55, {{cyrillicEm}}},  {10, {{'1', '!'}}},
                                       {13, {{'4', ';'}}},   {47, {{cyrillicZhe}}}, {8, {}}};
const KeyboardMapping::Key deKeys[] = {{29, {{'z', 'Z'}}}, {52, {{'y', 'Y'}}}, {16, {{'7', '/'}}}};
const KeyboardMapping::Key frKeys[] = {{10, {{'&', '1'}}}, {38, {{'q', 'Q'}}}};

// One group per list; a key missing from a later list types nothing there.
KeyboardMapping layouts(std::initializer_list<std::span<const KeyboardMapping::Key>> groups,
                        std::uint32_t active = 0)
{
    KeyboardMapping mapping;
    mapping.groupCount = static_cast<std::uint32_t>(groups.size());
    mapping.activeGroup = active;
    std::uint32_t group = 0;
    for (const auto& keys : groups) {
        for (const KeyboardMapping::Key& key : keys) {
            auto it = std::find_if(mapping.keys.begin(), mapping.keys.end(),
                                   [&](const auto& k) { return k.keycode == key.keycode; });
            if (it == mapping.keys.end())
                it = mapping.keys.insert(mapping.keys.end(), {key.keycode, {}});
            it->groups.resize(group + 1);
            if (!key.groups.empty())
                it->groups[group] = key.groups.front();
        }
        ++group;
    }
    return mapping;
}

TEST(KeyboardMapping, CombinationsGrabTheKeyOfTheirLetterElseTheKeyAtItsUsPlace)
{
    const std::tuple<const char*, KeyboardMapping, std::uint32_t, Keycodes> cases[] = {
        {"us K", layouts({usKeys}), 40, {45}},
        {"ru K: the K place", layouts({ruKeys}), 40, {45}},
        {"us,ru with ru active", layouts({usKeys, ruKeys}, 1), 40, {45}},
        {"ru,us with ru active", layouts({ruKeys, usKeys}, 0), 9, {55}},
        {"German Z on the US Y key", layouts({deKeys}), 6, {29}},
        {"us,de with us active", layouts({usKeys, deKeys}, 0), 6, {52}},
        {"us,de with de active", layouts({usKeys, deKeys}, 1), 6, {29}},
        {"ru semicolon: shifted on 4, so its place", layouts({ruKeys}), 41, {47}},
        {"French 1: shifted, so its place", layouts({frKeys}), 18, {10}},
        {"keypad 1 on its NumLock level", layouts({usKeys}), 83, {87}},
        {"F5", layouts({usKeys}), 96, {71}},
        {"no key at the place", layouts({deKeys}), 40, {}},
        {"Fn has no key", layouts({usKeys}), 63, {}},
    };
    for (const auto& [name, mapping, macKeyCode, keycodes] : cases)
        EXPECT_EQ(keycodesForMacKeyCode(mapping, macKeyCode), keycodes) << name;

    // Only what the active group types counts: the same layouts again, or another group of
    // identical keys, move nothing.
    EXPECT_TRUE(typesTheSame(layouts({usKeys, ruKeys}), layouts({usKeys, deKeys})));
    EXPECT_TRUE(typesTheSame(layouts({usKeys, usKeys}, 1), layouts({usKeys})));
    EXPECT_FALSE(typesTheSame(layouts({usKeys, ruKeys}, 0), layouts({usKeys, ruKeys}, 1)));
}

TEST(KeyboardMapping, PasteTypesVInTheActiveGroupElseInOneThatHasIt)
{
    const std::tuple<const char*, KeyboardMapping, std::optional<std::pair<int, std::uint32_t>>> cases[] = {
        {"us", layouts({usKeys}), std::pair{55, 0u}},
        {"us,ru with ru active", layouts({usKeys, ruKeys}, 1), std::pair{55, 0u}},
        {"ru,us with ru active", layouts({ruKeys, usKeys}, 0), std::pair{55, 1u}},
        {"ru alone", layouts({ruKeys}), std::nullopt},
    };
    for (const auto& [name, mapping, expected] : cases) {
        const std::optional<KeyPlace> place = placeOfKeysym(mapping, 'v');
        ASSERT_EQ(place.has_value(), expected.has_value()) << name;
        if (place) {
            EXPECT_EQ(std::pair(int{place->keycode}, place->group), *expected) << name;
        }
    }
    EXPECT_EQ(unusedKeycode(layouts({usKeys})), 200) << "the highest key that types nothing";
    EXPECT_EQ(unusedKeycode(layouts({frKeys})), std::nullopt);
}

TEST(X11KeyCodes, KeysymsAndModifiersOfTheStoredCodes)
{
    // K, Left, Delete, keypad 1; Command, the ISO section key and Fn have none.
    const std::pair<std::uint32_t, std::optional<std::uint32_t>> keysyms[] = {
        {40, 'k'}, {123, 0xff51}, {117, 0xffff}, {83, 0xffb1},
        {55, {}},  {10, {}},      {63, {}},      {0xffffffff, {}}};
    for (const auto& [code, keysym] : keysyms)
        EXPECT_EQ(keysymForMacKeyCode(code), keysym) << code;
    EXPECT_EQ(x11ModifiersForCarbonMask(0x1B00), X11ModifierMask::all);
    EXPECT_EQ(x11ModifiersForCarbonMask(0x0100), X11ModifierMask::control);
    EXPECT_EQ(x11ModifiersForCarbonMask(0x00ff), 0u);
}

} // namespace
