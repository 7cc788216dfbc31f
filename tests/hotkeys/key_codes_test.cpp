// SPDX-License-Identifier: GPL-3.0-or-later
#include "hotkeys/key_names.h"
#include "platform/key_codes.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>
#include <set>

namespace {

// A duplicate Qt key or key place in the table breaks the round trip of the later code; the
// names, written separately, must agree on every letter, digit and function key.
TEST(KeyCodeTables, EveryMappedCodeRoundTripsAndAgreesWithItsName)
{
    const std::set<std::uint32_t> keypad{65, 67, 69, 71, 75, 76, 78, 81, 82,
                                         83, 84, 85, 86, 87, 88, 89, 91, 92};
    int mapped = 0;
    int placed = 0;
    for (std::uint32_t code = 0; code < 128; ++code) {
        SCOPED_TRACE(code);
        if (const auto place = xkbKeycodeForMacKeyCode(code)) {
            ++placed;
            EXPECT_EQ(macKeyCodeForXkbKeycode(*place), code);
        }
        const auto qtKey = qtKeyForMacKeyCode(code);
        if (!qtKey)
            continue;
        ++mapped;
        EXPECT_EQ(macKeyCodeForQtKey(*qtKey, keypad.contains(code) ? Qt::KeypadModifier : Qt::NoModifier),
                  code);
        const QString name = keyName(code);
        if (name.size() == 1 && name[0].isLetterOrNumber()) {
            EXPECT_EQ(*qtKey, name[0].unicode());
        } else if (name.startsWith(u'F')) {
            EXPECT_EQ(*qtKey, Qt::Key_F1 - 1 + name.mid(1).toInt());
        }
    }
    EXPECT_GE(mapped, 100);
    EXPECT_EQ(placed, 52);
    // Places as an X server with evdev keycodes names them (<AC08> = 45, <AB04> = 55, ...).
    const std::pair<std::uint32_t, std::uint32_t> places[] = {{40, 45}, {9, 55}, {0, 38}, {18, 10}, {50, 49}};
    for (const auto& [code, keycode] : places)
        EXPECT_EQ(xkbKeycodeForMacKeyCode(code), keycode) << code;
    EXPECT_EQ(xkbKeycodeForMacKeyCode(96), std::nullopt) << "F5 is F5 on every layout";
    EXPECT_EQ(macKeyCodeForXkbKeycode(8), std::nullopt);
}

TEST(KeyCodeTables, QtKeysAndKeyEventsNameThePhysicalKey)
{
    const std::tuple<int, Qt::KeyboardModifiers, std::optional<std::uint32_t>> qtKeys[] = {
        {Qt::Key_Exclam, {}, 18},
        {Qt::Key_Backtab, {}, 48},
        {Qt::Key_End, Qt::KeypadModifier, 83},
        {Qt::Key_End, {}, 119},
        {Qt::Key_Enter, {}, 76},
        {Qt::Key_Return, Qt::KeypadModifier, 36},
        {Qt::Key_Plus, {}, 24},
        {Qt::Key_Plus, Qt::KeypadModifier, 69},
        {0x041a, {}, {}},
        {-1, {}, {}}};
    for (const auto& [key, modifiers, code] : qtKeys)
        EXPECT_EQ(macKeyCodeForQtKey(key, modifiers), code) << std::hex << key;

    // A Latin letter or digit wins; any other symbol is the US key at its place; off the main
    // block, or without a reported place, Qt's key decides.
    const auto ctrl = Qt::ControlModifier;
    const std::tuple<int, Qt::KeyboardModifiers, std::uint32_t, std::optional<std::uint32_t>> events[] = {
        {Qt::Key_K, ctrl, 45, 40},
        {0x041b, ctrl | Qt::ShiftModifier, 45, 40}, // Cyrillic El on the K key
        {0x0416, ctrl, 47, 41},                     // Cyrillic Zhe on the semicolon key
        {Qt::Key_Z, ctrl, 29, 6},                   // German Z on the US Y key
        {Qt::Key_Exclam, ctrl | Qt::ShiftModifier, 10, 18},
        {Qt::Key_Ampersand, ctrl, 10, 18}, // French 1 key without Shift
        {Qt::Key_1, ctrl | Qt::KeypadModifier, 87, 83},
        {Qt::Key_F5, ctrl, 71, 96},
        {Qt::Key_Equal, ctrl, 0, 24},
        {0x041b, ctrl, 0, {}}};
    for (const auto& [key, modifiers, keycode, code] : events)
        EXPECT_EQ(macKeyCodeForKeyEvent(key, modifiers, keycode), code) << std::hex << key;
}

TEST(ModifierMasks, EachCarbonBitIsOneQtModifier)
{
    const std::pair<std::uint32_t, Qt::KeyboardModifier> bits[] = {{CarbonMask::command, Qt::ControlModifier},
                                                                   {CarbonMask::shift, Qt::ShiftModifier},
                                                                   {CarbonMask::option, Qt::AltModifier},
                                                                   {CarbonMask::control, Qt::MetaModifier}};
    for (const auto& [carbon, qt] : bits) {
        EXPECT_EQ(carbonMaskForQtModifiers(qt), carbon);
        EXPECT_EQ(qtModifiersForCarbonMask(carbon), Qt::KeyboardModifiers(qt));
    }
    const auto ignored = Qt::KeypadModifier | Qt::GroupSwitchModifier;
    EXPECT_EQ(carbonModifiers(Qt::ControlModifier | Qt::AltModifier | ignored), 0x0900u);
}

TEST(ComboDisplayString, LinuxWordsInOrderThenTheKeyName)
{
    const std::tuple<std::uint32_t, std::uint32_t, const char16_t*> cases[] = {
        {40, 0x1B00, u"Ctrl+Alt+Shift+Super+K"},
        {96, 0x1800, u"Alt+Super+F5"},
        {24, 0x0100, u"Ctrl+Key 24"},
        {40, 0x0300 | 0x0001 | 0x0400 | 0x10000, u"Ctrl+Shift+K"},
        {0, 0, u"\u2014"},
        {0, 0x0100, u"Ctrl+A"},
        {5, 0, u"G"},
        {36, 0x0200, u"Shift+\u21A9"},
        {48, 0, u"\u21E5"},
        {49, 0, u"Space"},
        {51, 0, u"\u232B"},
        {53, 0, u"\u238B"},
        {123, 0, u"\u2190"},
        {124, 0, u"\u2192"},
        {125, 0, u"\u2193"},
        {126, 0, u"\u2191"},
        {83, 0, u"Key 83"},
        {105, 0, u"Key 105"},
        {4294967295u, 0, u"Key 4294967295"}};
    for (const auto& [keyCode, modifiers, text] : cases)
        EXPECT_EQ(comboDisplayString(keyCode, modifiers), QString::fromUtf16(text)) << keyCode;
}

} // namespace
