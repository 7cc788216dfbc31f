#include "hotkeys/key_names.h"
#include "platform/key_codes.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>
#include <set>

namespace {

// A duplicate keysym or Qt key in the table breaks the round trip of the later code; the names,
// written separately, must agree with both on every letter, digit and function key.
TEST(KeyCodeTables, EveryMappedCodeRoundTripsAndAgreesWithItsName)
{
    const std::set<std::uint32_t> keypad{65, 67, 69, 71, 75, 76, 78, 81, 82,
                                         83, 84, 85, 86, 87, 88, 89, 91, 92};
    int mapped = 0;
    for (std::uint32_t code = 0; code < 128; ++code) {
        SCOPED_TRACE(code);
        const auto keysym = keysymForMacKeyCode(code);
        const auto qtKey = qtKeyForMacKeyCode(code);
        ASSERT_EQ(keysym.has_value(), qtKey.has_value());
        if (!keysym)
            continue;
        ++mapped;
        EXPECT_EQ(macKeyCodeForKeysym(*keysym), code);
        EXPECT_EQ(macKeyCodeForQtKey(*qtKey, keypad.contains(code) ? Qt::KeypadModifier : Qt::NoModifier),
                  code);
        const QString name = keyName(code);
        if (name.size() == 1 && name[0].isLetterOrNumber()) {
            EXPECT_EQ(*keysym, std::uint32_t{name.toLower()[0].unicode()});
            EXPECT_EQ(*qtKey, name[0].unicode());
        } else if (name.startsWith(u'F')) {
            EXPECT_EQ(*keysym, 0xffbdu + name.mid(1).toUInt());
            EXPECT_EQ(*qtKey, Qt::Key_F1 - 1 + name.mid(1).toInt());
        }
    }
    EXPECT_GE(mapped, 100);
}

TEST(KeyCodeTables, KeysymsAndQtKeysNameThePhysicalKey)
{
    // Left, Delete, KP_1; Command, the ISO section key and Fn have none.
    const std::pair<std::uint32_t, std::optional<std::uint32_t>> keysymsOfCodes[] = {
        {123, 0xff51}, {117, 0xffff}, {83, 0xffb1}, {55, {}}, {10, {}}, {63, {}}, {0xffffffff, {}}};
    for (const auto& [code, keysym] : keysymsOfCodes)
        EXPECT_EQ(keysymForMacKeyCode(code), keysym) << code;

    // Shifted symbols, Shift+letter, ISO_Left_Tab, keypad keys with NumLock off; Cyrillic_ka has no key.
    const std::pair<std::uint32_t, std::optional<std::uint32_t>> codesOfKeysyms[] = {
        {0x21, 18}, {0x4b, 40}, {0x7e, 50}, {0xfe20, 48}, {0xff9c, 83}, {0xff9f, 65}, {0x6cb, {}}, {0, {}}};
    for (const auto& [keysym, code] : codesOfKeysyms)
        EXPECT_EQ(macKeyCodeForKeysym(keysym), code) << std::hex << keysym;

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

    // The keysym wins where it is known; a non-Latin layout still has Qt's key to go by.
    EXPECT_EQ(macKeyCodeForKey(0xffb1, Qt::Key_End, Qt::KeypadModifier), 83u);
    EXPECT_EQ(macKeyCodeForKey(0x6cb, Qt::Key_K, Qt::ControlModifier), 40u);
}

TEST(ModifierMasks, EachCarbonBitIsOneQtAndOneX11Modifier)
{
    const std::tuple<std::uint32_t, Qt::KeyboardModifier, std::uint32_t> bits[] = {
        {CarbonMask::command, Qt::ControlModifier, 0x0004},
        {CarbonMask::shift, Qt::ShiftModifier, 0x0001},
        {CarbonMask::option, Qt::AltModifier, 0x0008},
        {CarbonMask::control, Qt::MetaModifier, 0x0040}};
    for (const auto& [carbon, qt, x11] : bits) {
        EXPECT_EQ(carbonMaskForQtModifiers(qt), carbon);
        EXPECT_EQ(qtModifiersForCarbonMask(carbon), Qt::KeyboardModifiers(qt));
        EXPECT_EQ(x11ModifiersForCarbonMask(carbon), x11);
        EXPECT_EQ(carbonMaskForX11Modifiers(x11), carbon);
    }
    const auto ignored = Qt::KeypadModifier | Qt::GroupSwitchModifier;
    EXPECT_EQ(carbonModifiers(Qt::ControlModifier | Qt::AltModifier | ignored), 0x0900u);
    EXPECT_EQ(x11ModifiersForCarbonMask(0x00ff), 0u);
    // Caps Lock (Lock) and NumLock (Mod2) in an event's state do not change the combination.
    EXPECT_EQ(carbonMaskForX11Modifiers(0x0004 | 0x0002 | 0x0010), CarbonMask::command);
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
