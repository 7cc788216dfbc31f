// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/key_codes.h"

#include <array>

namespace {

struct KeyEntry
{
    std::uint32_t macKeyCode;
    int qtKey;
    bool keypad;
    std::uint32_t inputCode; // Linux input code of the key at this place; 0 outside the main block
};

// The ANSI keyboard, one row per physical key. Qt letter keys are the upper-case ASCII values.
constexpr auto keyTable = std::to_array<KeyEntry>({
    {0, Qt::Key_A, false, 30},
    {1, Qt::Key_S, false, 31},
    {2, Qt::Key_D, false, 32},
    {3, Qt::Key_F, false, 33},
    {4, Qt::Key_H, false, 35},
    {5, Qt::Key_G, false, 34},
    {6, Qt::Key_Z, false, 44},
    {7, Qt::Key_X, false, 45},
    {8, Qt::Key_C, false, 46},
    {9, Qt::Key_V, false, 47},
    {11, Qt::Key_B, false, 48},
    {12, Qt::Key_Q, false, 16},
    {13, Qt::Key_W, false, 17},
    {14, Qt::Key_E, false, 18},
    {15, Qt::Key_R, false, 19},
    {16, Qt::Key_Y, false, 21},
    {17, Qt::Key_T, false, 20},
    {18, Qt::Key_1, false, 2},
    {19, Qt::Key_2, false, 3},
    {20, Qt::Key_3, false, 4},
    {21, Qt::Key_4, false, 5},
    {22, Qt::Key_6, false, 7},
    {23, Qt::Key_5, false, 6},
    {24, Qt::Key_Equal, false, 13},
    {25, Qt::Key_9, false, 10},
    {26, Qt::Key_7, false, 8},
    {27, Qt::Key_Minus, false, 12},
    {28, Qt::Key_8, false, 9},
    {29, Qt::Key_0, false, 11},
    {30, Qt::Key_BracketRight, false, 27},
    {31, Qt::Key_O, false, 24},
    {32, Qt::Key_U, false, 22},
    {33, Qt::Key_BracketLeft, false, 26},
    {34, Qt::Key_I, false, 23},
    {35, Qt::Key_P, false, 25},
    {36, Qt::Key_Return, false, 28},
    {37, Qt::Key_L, false, 38},
    {38, Qt::Key_J, false, 36},
    {39, Qt::Key_Apostrophe, false, 40},
    {40, Qt::Key_K, false, 37},
    {41, Qt::Key_Semicolon, false, 39},
    {42, Qt::Key_Backslash, false, 43},
    {43, Qt::Key_Comma, false, 51},
    {44, Qt::Key_Slash, false, 53},
    {45, Qt::Key_N, false, 49},
    {46, Qt::Key_M, false, 50},
    {47, Qt::Key_Period, false, 52},
    {48, Qt::Key_Tab, false, 15},
    {49, Qt::Key_Space, false, 57},
    {50, Qt::Key_QuoteLeft, false, 41},
    {51, Qt::Key_Backspace, false, 14},
    {53, Qt::Key_Escape, false, 1},
    {64, Qt::Key_F17, false, 0},
    {65, Qt::Key_Period, true, 0},
    {67, Qt::Key_Asterisk, true, 0},
    {69, Qt::Key_Plus, true, 0},
    {71, Qt::Key_Clear, true, 0},
    {72, Qt::Key_VolumeUp, false, 0},
    {73, Qt::Key_VolumeDown, false, 0},
    {74, Qt::Key_VolumeMute, false, 0},
    {75, Qt::Key_Slash, true, 0},
    {76, Qt::Key_Enter, true, 0},
    {78, Qt::Key_Minus, true, 0},
    {79, Qt::Key_F18, false, 0},
    {80, Qt::Key_F19, false, 0},
    {81, Qt::Key_Equal, true, 0},
    {82, Qt::Key_0, true, 0},
    {83, Qt::Key_1, true, 0},
    {84, Qt::Key_2, true, 0},
    {85, Qt::Key_3, true, 0},
    {86, Qt::Key_4, true, 0},
    {87, Qt::Key_5, true, 0},
    {88, Qt::Key_6, true, 0},
    {89, Qt::Key_7, true, 0},
    {90, Qt::Key_F20, false, 0},
    {91, Qt::Key_8, true, 0},
    {92, Qt::Key_9, true, 0},
    {96, Qt::Key_F5, false, 0},
    {97, Qt::Key_F6, false, 0},
    {98, Qt::Key_F7, false, 0},
    {99, Qt::Key_F3, false, 0},
    {100, Qt::Key_F8, false, 0},
    {101, Qt::Key_F9, false, 0},
    {103, Qt::Key_F11, false, 0},
    {105, Qt::Key_F13, false, 0},
    {106, Qt::Key_F16, false, 0},
    {107, Qt::Key_F14, false, 0},
    {109, Qt::Key_F10, false, 0},
    {111, Qt::Key_F12, false, 0},
    {113, Qt::Key_F15, false, 0},
    // The Help key sits where PC keyboards have Insert.
    {114, Qt::Key_Insert, false, 0},
    {115, Qt::Key_Home, false, 0},
    {116, Qt::Key_PageUp, false, 0},
    {117, Qt::Key_Delete, false, 0},
    {118, Qt::Key_F4, false, 0},
    {119, Qt::Key_End, false, 0},
    {120, Qt::Key_F2, false, 0},
    {121, Qt::Key_PageDown, false, 0},
    {122, Qt::Key_F1, false, 0},
    {123, Qt::Key_Left, false, 0},
    {124, Qt::Key_Right, false, 0},
    {125, Qt::Key_Down, false, 0},
    {126, Qt::Key_Up, false, 0},
});

// Keycodes of XKB on Linux are the input codes shifted by the 8 codes X reserves.
constexpr std::uint32_t xkbKeycodeOffset = 8;

struct Alias
{
    int qtKey;
    std::uint32_t macKeyCode;
};

// What the ANSI layout produces with Shift held, mapped back to the key that produced it.
constexpr auto shiftedSymbols = std::to_array<Alias>({
    {Qt::Key_Exclam, 18},     {Qt::Key_At, 19},          {Qt::Key_NumberSign, 20}, {Qt::Key_Dollar, 21},
    {Qt::Key_Percent, 23},    {Qt::Key_AsciiCircum, 22}, {Qt::Key_Ampersand, 26},  {Qt::Key_Asterisk, 28},
    {Qt::Key_ParenLeft, 25},  {Qt::Key_ParenRight, 29},  {Qt::Key_Underscore, 27}, {Qt::Key_Plus, 24},
    {Qt::Key_BraceLeft, 33},  {Qt::Key_BraceRight, 30},  {Qt::Key_Colon, 41},      {Qt::Key_QuoteDbl, 39},
    {Qt::Key_Bar, 42},        {Qt::Key_Less, 43},        {Qt::Key_Greater, 47},    {Qt::Key_Question, 44},
    {Qt::Key_AsciiTilde, 50},
});

// Keypad keys with NumLock off.
constexpr auto keypadNavigationQtKeys = std::to_array<Alias>({
    {Qt::Key_Insert, 82},
    {Qt::Key_End, 83},
    {Qt::Key_Down, 84},
    {Qt::Key_PageDown, 85},
    {Qt::Key_Left, 86},
    {Qt::Key_Right, 88},
    {Qt::Key_Home, 89},
    {Qt::Key_Up, 91},
    {Qt::Key_PageUp, 92},
    {Qt::Key_Delete, 65},
});

template <typename Table> std::optional<std::uint32_t> lookUpAlias(const Table& table, int qtKey)
{
    for (const Alias& alias : table) {
        if (alias.qtKey == qtKey)
            return alias.macKeyCode;
    }
    return std::nullopt;
}

const KeyEntry* entryForMacKeyCode(std::uint32_t macKeyCode)
{
    for (const KeyEntry& entry : keyTable) {
        if (entry.macKeyCode == macKeyCode)
            return &entry;
    }
    return nullptr;
}

bool isLatinLetterOrDigit(int qtKey)
{
    return (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9);
}

} // namespace

std::optional<int> qtKeyForMacKeyCode(std::uint32_t macKeyCode)
{
    if (const KeyEntry* entry = entryForMacKeyCode(macKeyCode))
        return entry->qtKey;
    return std::nullopt;
}

std::optional<std::uint32_t> macKeyCodeForQtKey(int qtKey, Qt::KeyboardModifiers modifiers)
{
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (qtKey == Qt::Key_Backtab)
        return 48;
    for (const KeyEntry& entry : keyTable) {
        if (entry.qtKey == qtKey && entry.keypad == keypad)
            return entry.macKeyCode;
    }
    if (keypad) {
        if (auto code = lookUpAlias(keypadNavigationQtKeys, qtKey))
            return code;
    }
    if (auto code = lookUpAlias(shiftedSymbols, qtKey))
        return code;
    // A keypad key without a keypad entry of its own is the main key of that name, and
    // keypad Enter may come without the keypad flag.
    for (const KeyEntry& entry : keyTable) {
        if (entry.qtKey == qtKey)
            return entry.macKeyCode;
    }
    return std::nullopt;
}

std::optional<std::uint32_t> xkbKeycodeForMacKeyCode(std::uint32_t macKeyCode)
{
    const KeyEntry* entry = entryForMacKeyCode(macKeyCode);
    if (!entry || entry->inputCode == 0)
        return std::nullopt;
    return entry->inputCode + xkbKeycodeOffset;
}

std::optional<std::uint32_t> macKeyCodeForXkbKeycode(std::uint32_t xkbKeycode)
{
    if (xkbKeycode <= xkbKeycodeOffset)
        return std::nullopt;
    for (const KeyEntry& entry : keyTable) {
        if (entry.inputCode != 0 && entry.inputCode + xkbKeycodeOffset == xkbKeycode)
            return entry.macKeyCode;
    }
    return std::nullopt;
}

std::optional<std::uint32_t> macKeyCodeForKeyEvent(int qtKey, Qt::KeyboardModifiers modifiers,
                                                   std::uint32_t xkbKeycode)
{
    if (isLatinLetterOrDigit(qtKey) && !modifiers.testFlag(Qt::KeypadModifier))
        return macKeyCodeForQtKey(qtKey);
    if (auto code = macKeyCodeForXkbKeycode(xkbKeycode))
        return code;
    return macKeyCodeForQtKey(qtKey, modifiers);
}

std::uint32_t carbonMaskForQtModifiers(Qt::KeyboardModifiers modifiers)
{
    std::uint32_t mask = 0;
    if (modifiers.testFlag(Qt::ControlModifier))
        mask |= CarbonMask::command;
    if (modifiers.testFlag(Qt::ShiftModifier))
        mask |= CarbonMask::shift;
    if (modifiers.testFlag(Qt::AltModifier))
        mask |= CarbonMask::option;
    if (modifiers.testFlag(Qt::MetaModifier))
        mask |= CarbonMask::control;
    return mask;
}

Qt::KeyboardModifiers qtModifiersForCarbonMask(std::uint32_t mask)
{
    Qt::KeyboardModifiers modifiers;
    if ((mask & CarbonMask::command) != 0)
        modifiers |= Qt::ControlModifier;
    if ((mask & CarbonMask::shift) != 0)
        modifiers |= Qt::ShiftModifier;
    if ((mask & CarbonMask::option) != 0)
        modifiers |= Qt::AltModifier;
    if ((mask & CarbonMask::control) != 0)
        modifiers |= Qt::MetaModifier;
    return modifiers;
}
