#include "hotkeys/key_names.h"
#include "qt_printers.h"

#include <QString>
#include <gtest/gtest.h>

namespace {

QString text(const char16_t* utf16)
{
    return QString::fromUtf16(utf16);
}

TEST(KeyName, FollowsTheMacKeyLayout)
{
    EXPECT_EQ(keyName(0), u"A");
    EXPECT_EQ(keyName(9), u"V");
    EXPECT_EQ(keyName(11), u"B");
    EXPECT_EQ(keyName(17), u"T");
    // The number row is not in numeric order.
    EXPECT_EQ(keyName(22), u"6");
    EXPECT_EQ(keyName(23), u"5");
    EXPECT_EQ(keyName(25), u"9");
    EXPECT_EQ(keyName(26), u"7");
    EXPECT_EQ(keyName(28), u"8");
    EXPECT_EQ(keyName(29), u"0");
    EXPECT_EQ(keyName(40), u"K");
    EXPECT_EQ(keyName(46), u"M");
    EXPECT_EQ(keyName(99), u"F3");
    EXPECT_EQ(keyName(103), u"F11");
    EXPECT_EQ(keyName(109), u"F10");
    EXPECT_EQ(keyName(118), u"F4");
    EXPECT_EQ(keyName(122), u"F1");
}

TEST(KeyName, SpecialKeysUseTheirSymbols)
{
    EXPECT_EQ(keyName(36), text(u"\u21A9"));
    EXPECT_EQ(keyName(48), text(u"\u21E5"));
    EXPECT_EQ(keyName(49), u"Space");
    EXPECT_EQ(keyName(51), text(u"\u232B"));
    EXPECT_EQ(keyName(53), text(u"\u238B"));
    EXPECT_EQ(keyName(123), text(u"\u2190"));
    EXPECT_EQ(keyName(124), text(u"\u2192"));
    EXPECT_EQ(keyName(125), text(u"\u2193"));
    EXPECT_EQ(keyName(126), text(u"\u2191"));
}

TEST(KeyName, UnnamedKeysShowTheirNumber)
{
    EXPECT_EQ(keyName(24), u"Key 24");   // =
    EXPECT_EQ(keyName(10), u"Key 10");
    EXPECT_EQ(keyName(83), u"Key 83");   // keypad 1
    EXPECT_EQ(keyName(105), u"Key 105"); // F13
    EXPECT_EQ(keyName(4294967295u), u"Key 4294967295");
}

TEST(ComboDisplayString, ModifierWordsComeInLinuxOrder)
{
    EXPECT_EQ(comboDisplayString(40, 0x0300), u"Ctrl+Shift+K");
    EXPECT_EQ(comboDisplayString(96, 0x1800), u"Alt+Super+F5");
    EXPECT_EQ(comboDisplayString(24, 0x0100), u"Ctrl+Key 24");
    EXPECT_EQ(comboDisplayString(0, 0x0B00), u"Ctrl+Alt+Shift+A");
    EXPECT_EQ(comboDisplayString(40, 0x1B00), u"Ctrl+Alt+Shift+Super+K");
    EXPECT_EQ(comboDisplayString(123, 0x0200), text(u"Shift+\u2190"));
}

TEST(ComboDisplayString, EmptyCombinationIsADash)
{
    EXPECT_EQ(comboDisplayString(0, 0), text(u"\u2014"));
    // Only both zero is "nothing": a key without modifiers or modifiers without a key still show.
    EXPECT_EQ(comboDisplayString(5, 0), u"G");
    EXPECT_EQ(comboDisplayString(0, 0x0100), u"Ctrl+A");
}

TEST(ComboDisplayString, IgnoresOtherMaskBits)
{
    EXPECT_EQ(comboDisplayString(40, 0x0300 | 0x0001 | 0x0400 | 0x10000), u"Ctrl+Shift+K");
    EXPECT_EQ(comboDisplayString(40, 0x0400), u"K");
}

} // namespace
