#include "hotkeys/key_names.h"
#include "platform/key_codes.h"
#include "qt_printers.h"

#include <QString>
#include <gtest/gtest.h>
#include <set>

namespace {

constexpr std::uint32_t firstUnusedCode = 128;

bool isKeypadCode(std::uint32_t code)
{
    static const std::set<std::uint32_t> keypad{65, 67, 69, 71, 75, 76, 78, 81, 82, 83, 84, 85, 86, 87, 88, 89, 91, 92};
    return keypad.contains(code);
}

TEST(KeyCodeTables, EveryMappedCodeRoundTripsThroughItsKeysymAndQtKey)
{
    int mapped = 0;
    for (std::uint32_t code = 0; code < firstUnusedCode; ++code) {
        SCOPED_TRACE(code);
        const auto keysym = keysymForMacKeyCode(code);
        const auto qtKey = qtKeyForMacKeyCode(code);
        ASSERT_EQ(keysym.has_value(), qtKey.has_value());
        if (!keysym)
            continue;
        ++mapped;
        EXPECT_EQ(macKeyCodeForKeysym(*keysym), code);
        const Qt::KeyboardModifiers modifiers = isKeypadCode(code) ? Qt::KeypadModifier : Qt::NoModifier;
        EXPECT_EQ(macKeyCodeForQtKey(*qtKey, modifiers), code);
    }
    // Letters, digits, F1-F20, punctuation, keypad, navigation, editing keys, volume.
    EXPECT_GE(mapped, 100);
}

TEST(KeyCodeTables, LettersDigitsAndFunctionKeysAgreeAcrossAllThreeTables)
{
    for (int i = 0; i < 26; ++i) {
        const auto code = macKeyCodeForQtKey(Qt::Key_A + i);
        ASSERT_TRUE(code) << i;
        EXPECT_EQ(keysymForMacKeyCode(*code), std::uint32_t('a' + i));
        EXPECT_EQ(keyName(*code), QString(QChar(u'A' + i)));
    }
    for (int i = 0; i < 10; ++i) {
        const auto code = macKeyCodeForQtKey(Qt::Key_0 + i);
        ASSERT_TRUE(code) << i;
        EXPECT_EQ(keysymForMacKeyCode(*code), std::uint32_t('0' + i));
        EXPECT_EQ(keyName(*code), QString::number(i));
    }
    for (int i = 0; i < 20; ++i) {
        const auto code = macKeyCodeForQtKey(Qt::Key_F1 + i);
        ASSERT_TRUE(code) << "F" << i + 1;
        EXPECT_EQ(keysymForMacKeyCode(*code), 0xffbeu + i) << "F" << i + 1;
        if (i < 12) {
            EXPECT_EQ(keyName(*code), QStringLiteral("F%1").arg(i + 1));
        }
    }
}

TEST(KeyCodeTables, NamedKeysHaveTheirKeysyms)
{
    EXPECT_EQ(keysymForMacKeyCode(0), 0x61u);       // A
    EXPECT_EQ(keysymForMacKeyCode(40), 0x6bu);      // K
    EXPECT_EQ(keysymForMacKeyCode(96), 0xffc2u);    // F5
    EXPECT_EQ(keysymForMacKeyCode(123), 0xff51u);   // Left
    EXPECT_EQ(keysymForMacKeyCode(36), 0xff0du);    // Return
    EXPECT_EQ(keysymForMacKeyCode(51), 0xff08u);    // BackSpace
    EXPECT_EQ(keysymForMacKeyCode(117), 0xffffu);   // Delete
    EXPECT_EQ(keysymForMacKeyCode(83), 0xffb1u);    // KP_1
    EXPECT_EQ(keysymForMacKeyCode(24), 0x3du);      // equal
    EXPECT_FALSE(keysymForMacKeyCode(55));          // Command key itself
    EXPECT_FALSE(keysymForMacKeyCode(10));          // ISO section, not on ANSI boards
    EXPECT_FALSE(keysymForMacKeyCode(0xffffffffu));
}

TEST(KeyCodeTables, ShiftedSymbolsAndNumLockOffKeypadNameThePhysicalKey)
{
    EXPECT_EQ(macKeyCodeForKeysym(0x21), 18u);   // exclam: the 1 key
    EXPECT_EQ(macKeyCodeForKeysym(0x25), 23u);   // percent: the 5 key
    EXPECT_EQ(macKeyCodeForKeysym(0x4b), 40u);   // K
    EXPECT_EQ(macKeyCodeForKeysym(0x2b), 24u);   // plus: the = key
    EXPECT_EQ(macKeyCodeForKeysym(0x3f), 44u);   // question: the / key
    EXPECT_EQ(macKeyCodeForKeysym(0x7e), 50u);   // asciitilde: the ` key
    EXPECT_EQ(macKeyCodeForKeysym(0xfe20), 48u); // ISO_Left_Tab
    EXPECT_EQ(macKeyCodeForKeysym(0xff9c), 83u); // KP_End
    EXPECT_EQ(macKeyCodeForKeysym(0xff9f), 65u); // KP_Delete
    EXPECT_FALSE(macKeyCodeForKeysym(0x6cb));    // Cyrillic_ka
    EXPECT_FALSE(macKeyCodeForKeysym(0));

    EXPECT_EQ(macKeyCodeForQtKey(Qt::Key_Exclam), 18u);
    EXPECT_EQ(macKeyCodeForQtKey(Qt::Key_Backtab), 48u);
    EXPECT_EQ(macKeyCodeForQtKey(Qt::Key_1, Qt::KeypadModifier), 83u);
    EXPECT_EQ(macKeyCodeForQtKey(Qt::Key_End, Qt::KeypadModifier), 83u);
    EXPECT_EQ(macKeyCodeForQtKey(Qt::Key_End), 119u);
    EXPECT_EQ(macKeyCodeForQtKey(Qt::Key_Enter), 76u);
    EXPECT_EQ(macKeyCodeForQtKey(Qt::Key_Return, Qt::KeypadModifier), 36u);
    EXPECT_EQ(macKeyCodeForQtKey(Qt::Key_Asterisk), 28u);
    EXPECT_EQ(macKeyCodeForQtKey(Qt::Key_Plus), 24u);
    EXPECT_EQ(macKeyCodeForQtKey(Qt::Key_Plus, Qt::KeypadModifier), 69u);
    EXPECT_EQ(macKeyCodeForQtKey(Qt::Key_Asterisk, Qt::KeypadModifier), 67u);
    EXPECT_FALSE(macKeyCodeForQtKey(Qt::Key_Launch0));
    EXPECT_FALSE(macKeyCodeForQtKey(0x041a)); // Cyrillic capital ka
    EXPECT_FALSE(macKeyCodeForQtKey(-1));
}

TEST(KeyCodeTables, KeyEventsPreferTheKeysymAndFallBackToTheQtKey)
{
    EXPECT_EQ(macKeyCodeForKey(0x21, Qt::Key_Exclam, Qt::ShiftModifier), 18u);
    EXPECT_EQ(macKeyCodeForKey(0, Qt::Key_K, Qt::ControlModifier), 40u);
    // A keysym outside the tables (a non-Latin layout) still has Qt's key to go by.
    EXPECT_EQ(macKeyCodeForKey(0x6cb, Qt::Key_K, Qt::ControlModifier), 40u);
    // The keysym wins where the two disagree: it names the key, Qt the symbol.
    EXPECT_EQ(macKeyCodeForKey(0xffb1, Qt::Key_End, Qt::KeypadModifier), 83u);
}

TEST(KeyCodeTables, NoTwoCodesShareAKeysymOrAQtKey)
{
    std::set<std::uint32_t> keysyms;
    std::set<std::pair<int, bool>> qtKeys;
    for (std::uint32_t code = 0; code < firstUnusedCode; ++code) {
        if (auto keysym = keysymForMacKeyCode(code)) {
            EXPECT_TRUE(keysyms.insert(*keysym).second) << code;
        }
        if (auto qtKey = qtKeyForMacKeyCode(code)) {
            EXPECT_TRUE(qtKeys.insert({*qtKey, isKeypadCode(code)}).second) << code;
        }
    }
}

TEST(ModifierMasks, QtModifiersMapToCarbonBitsAndBack)
{
    EXPECT_EQ(carbonMaskForQtModifiers(Qt::ControlModifier | Qt::ShiftModifier), 0x0300u);
    EXPECT_EQ(carbonMaskForQtModifiers(Qt::AltModifier), 0x0800u);
    EXPECT_EQ(carbonMaskForQtModifiers(Qt::MetaModifier), 0x1000u);
    EXPECT_EQ(carbonMaskForQtModifiers(Qt::KeypadModifier | Qt::GroupSwitchModifier), 0u);
    EXPECT_EQ(carbonModifiers(Qt::ControlModifier | Qt::AltModifier | Qt::KeypadModifier), 0x0900u);
    for (std::uint32_t bits = 0; bits < 16; ++bits) {
        const std::uint32_t mask = ((bits & 1) ? CarbonMask::command : 0) | ((bits & 2) ? CarbonMask::shift : 0)
                                   | ((bits & 4) ? CarbonMask::option : 0) | ((bits & 8) ? CarbonMask::control : 0);
        EXPECT_EQ(carbonMaskForQtModifiers(qtModifiersForCarbonMask(mask)), mask);
        EXPECT_EQ(carbonMaskForX11Modifiers(x11ModifiersForCarbonMask(mask)), mask);
    }
}

TEST(ModifierMasks, CarbonMaskMeansCtrlShiftAltSuperOnX11)
{
    EXPECT_EQ(x11ModifiersForCarbonMask(CarbonMask::command), X11ModifierMask::control);
    EXPECT_EQ(x11ModifiersForCarbonMask(CarbonMask::control | CarbonMask::option),
              X11ModifierMask::mod4 | X11ModifierMask::mod1);
    EXPECT_EQ(x11ModifiersForCarbonMask(0x0B00), 0x0004u | 0x0001u | 0x0008u);
    EXPECT_EQ(x11ModifiersForCarbonMask(0x00ff), 0u); // bits outside the four mean nothing
    // Caps Lock (Lock) and NumLock (Mod2) in an event's state do not change the combination.
    EXPECT_EQ(carbonMaskForX11Modifiers(0x0004 | 0x0002 | 0x0010), CarbonMask::command);
}

} // namespace
