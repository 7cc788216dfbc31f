#include "platform/key_codes.h"

#include <array>
#include <utility>

namespace {

struct KeyEntry
{
    std::uint32_t macKeyCode;
    std::uint32_t keysym;
    int qtKey;
    bool keypad;
};

// The ANSI keyboard, one row per physical key. Qt letter keys are the upper-case ASCII
// values, keysyms of letters the lower-case ones.
constexpr auto keyTable = std::to_array<KeyEntry>({
    {0, 0x0061, Qt::Key_A, false},
    {1, 0x0073, Qt::Key_S, false},
    {2, 0x0064, Qt::Key_D, false},
    {3, 0x0066, Qt::Key_F, false},
    {4, 0x0068, Qt::Key_H, false},
    {5, 0x0067, Qt::Key_G, false},
    {6, 0x007a, Qt::Key_Z, false},
    {7, 0x0078, Qt::Key_X, false},
    {8, 0x0063, Qt::Key_C, false},
    {9, 0x0076, Qt::Key_V, false},
    {11, 0x0062, Qt::Key_B, false},
    {12, 0x0071, Qt::Key_Q, false},
    {13, 0x0077, Qt::Key_W, false},
    {14, 0x0065, Qt::Key_E, false},
    {15, 0x0072, Qt::Key_R, false},
    {16, 0x0079, Qt::Key_Y, false},
    {17, 0x0074, Qt::Key_T, false},
    {18, 0x0031, Qt::Key_1, false},
    {19, 0x0032, Qt::Key_2, false},
    {20, 0x0033, Qt::Key_3, false},
    {21, 0x0034, Qt::Key_4, false},
    {22, 0x0036, Qt::Key_6, false},
    {23, 0x0035, Qt::Key_5, false},
    {24, 0x003d, Qt::Key_Equal, false},
    {25, 0x0039, Qt::Key_9, false},
    {26, 0x0037, Qt::Key_7, false},
    {27, 0x002d, Qt::Key_Minus, false},
    {28, 0x0038, Qt::Key_8, false},
    {29, 0x0030, Qt::Key_0, false},
    {30, 0x005d, Qt::Key_BracketRight, false},
    {31, 0x006f, Qt::Key_O, false},
    {32, 0x0075, Qt::Key_U, false},
    {33, 0x005b, Qt::Key_BracketLeft, false},
    {34, 0x0069, Qt::Key_I, false},
    {35, 0x0070, Qt::Key_P, false},
    {36, 0xff0d, Qt::Key_Return, false},
    {37, 0x006c, Qt::Key_L, false},
    {38, 0x006a, Qt::Key_J, false},
    {39, 0x0027, Qt::Key_Apostrophe, false},
    {40, 0x006b, Qt::Key_K, false},
    {41, 0x003b, Qt::Key_Semicolon, false},
    {42, 0x005c, Qt::Key_Backslash, false},
    {43, 0x002c, Qt::Key_Comma, false},
    {44, 0x002f, Qt::Key_Slash, false},
    {45, 0x006e, Qt::Key_N, false},
    {46, 0x006d, Qt::Key_M, false},
    {47, 0x002e, Qt::Key_Period, false},
    {48, 0xff09, Qt::Key_Tab, false},
    {49, 0x0020, Qt::Key_Space, false},
    {50, 0x0060, Qt::Key_QuoteLeft, false},
    {51, 0xff08, Qt::Key_Backspace, false},
    {53, 0xff1b, Qt::Key_Escape, false},
    {64, 0xffce, Qt::Key_F17, false},
    {65, 0xffae, Qt::Key_Period, true},
    {67, 0xffaa, Qt::Key_Asterisk, true},
    {69, 0xffab, Qt::Key_Plus, true},
    {71, 0xff0b, Qt::Key_Clear, true},
    {72, 0x1008ff13, Qt::Key_VolumeUp, false},
    {73, 0x1008ff11, Qt::Key_VolumeDown, false},
    {74, 0x1008ff12, Qt::Key_VolumeMute, false},
    {75, 0xffaf, Qt::Key_Slash, true},
    {76, 0xff8d, Qt::Key_Enter, true},
    {78, 0xffad, Qt::Key_Minus, true},
    {79, 0xffcf, Qt::Key_F18, false},
    {80, 0xffd0, Qt::Key_F19, false},
    {81, 0xffbd, Qt::Key_Equal, true},
    {82, 0xffb0, Qt::Key_0, true},
    {83, 0xffb1, Qt::Key_1, true},
    {84, 0xffb2, Qt::Key_2, true},
    {85, 0xffb3, Qt::Key_3, true},
    {86, 0xffb4, Qt::Key_4, true},
    {87, 0xffb5, Qt::Key_5, true},
    {88, 0xffb6, Qt::Key_6, true},
    {89, 0xffb7, Qt::Key_7, true},
    {90, 0xffd1, Qt::Key_F20, false},
    {91, 0xffb8, Qt::Key_8, true},
    {92, 0xffb9, Qt::Key_9, true},
    {96, 0xffc2, Qt::Key_F5, false},
    {97, 0xffc3, Qt::Key_F6, false},
    {98, 0xffc4, Qt::Key_F7, false},
    {99, 0xffc0, Qt::Key_F3, false},
    {100, 0xffc5, Qt::Key_F8, false},
    {101, 0xffc6, Qt::Key_F9, false},
    {103, 0xffc8, Qt::Key_F11, false},
    {105, 0xffca, Qt::Key_F13, false},
    {106, 0xffcd, Qt::Key_F16, false},
    {107, 0xffcb, Qt::Key_F14, false},
    {109, 0xffc7, Qt::Key_F10, false},
    {111, 0xffc9, Qt::Key_F12, false},
    {113, 0xffcc, Qt::Key_F15, false},
    // The Help key sits where PC keyboards have Insert.
    {114, 0xff63, Qt::Key_Insert, false},
    {115, 0xff50, Qt::Key_Home, false},
    {116, 0xff55, Qt::Key_PageUp, false},
    {117, 0xffff, Qt::Key_Delete, false},
    {118, 0xffc1, Qt::Key_F4, false},
    {119, 0xff57, Qt::Key_End, false},
    {120, 0xffbf, Qt::Key_F2, false},
    {121, 0xff56, Qt::Key_PageDown, false},
    {122, 0xffbe, Qt::Key_F1, false},
    {123, 0xff51, Qt::Key_Left, false},
    {124, 0xff53, Qt::Key_Right, false},
    {125, 0xff54, Qt::Key_Down, false},
    {126, 0xff52, Qt::Key_Up, false},
});

struct Alias
{
    std::uint32_t value; // a keysym, or a Qt key (the same number for these ASCII symbols)
    std::uint32_t macKeyCode;
};

// What the ANSI layout produces with Shift held, mapped back to the key that produced it.
constexpr auto shiftedSymbols = std::to_array<Alias>({
    {0x21, 18}, // !
    {0x40, 19}, // @
    {0x23, 20}, // #
    {0x24, 21}, // $
    {0x25, 23}, // %
    {0x5e, 22}, // ^
    {0x26, 26}, // &
    {0x2a, 28}, // *
    {0x28, 25}, // (
    {0x29, 29}, // )
    {0x5f, 27}, // _
    {0x2b, 24}, // +
    {0x7b, 33}, // {
    {0x7d, 30}, // }
    {0x3a, 41}, // :
    {0x22, 39}, // "
    {0x7c, 42}, // |
    {0x3c, 43}, // <
    {0x3e, 47}, // >
    {0x3f, 44}, // ?
    {0x7e, 50}, // ~
});

// Keypad keys with NumLock off; XK_KP_Delete and friends.
constexpr auto keypadNavigationKeysyms = std::to_array<Alias>({
    {0xff9e, 82}, // KP_Insert
    {0xff9c, 83}, // KP_End
    {0xff99, 84}, // KP_Down
    {0xff9b, 85}, // KP_Next
    {0xff96, 86}, // KP_Left
    {0xff9d, 87}, // KP_Begin
    {0xff98, 88}, // KP_Right
    {0xff95, 89}, // KP_Home
    {0xff97, 91}, // KP_Up
    {0xff9a, 92}, // KP_Prior
    {0xff9f, 65}, // KP_Delete
    {0xff80, 49}, // KP_Space
    {0xff89, 48}, // KP_Tab
});

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

constexpr std::uint32_t isoLeftTab = 0xfe20;

template <typename Table> std::optional<std::uint32_t> lookUpAlias(const Table& table, std::uint32_t value)
{
    for (const Alias& alias : table) {
        if (alias.value == value)
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

std::uint32_t translateMask(std::uint32_t mask,
                            const std::array<std::pair<std::uint32_t, std::uint32_t>, 4>& pairs)
{
    std::uint32_t result = 0;
    for (const auto& [from, to] : pairs) {
        if ((mask & from) != 0)
            result |= to;
    }
    return result;
}

constexpr std::array<std::pair<std::uint32_t, std::uint32_t>, 4> carbonToX11{{
    {CarbonMask::command, X11ModifierMask::control},
    {CarbonMask::shift, X11ModifierMask::shift},
    {CarbonMask::option, X11ModifierMask::mod1},
    {CarbonMask::control, X11ModifierMask::mod4},
}};

constexpr std::array<std::pair<std::uint32_t, std::uint32_t>, 4> x11ToCarbon{{
    {X11ModifierMask::control, CarbonMask::command},
    {X11ModifierMask::shift, CarbonMask::shift},
    {X11ModifierMask::mod1, CarbonMask::option},
    {X11ModifierMask::mod4, CarbonMask::control},
}};

} // namespace

std::optional<std::uint32_t> keysymForMacKeyCode(std::uint32_t macKeyCode)
{
    if (const KeyEntry* entry = entryForMacKeyCode(macKeyCode))
        return entry->keysym;
    return std::nullopt;
}

std::optional<std::uint32_t> macKeyCodeForKeysym(std::uint32_t keysym)
{
    if (keysym >= 0x41 && keysym <= 0x5a)
        keysym += 0x20; // XK_A..XK_Z: the letter keys with Shift held
    if (keysym == isoLeftTab)
        return 48;
    for (const KeyEntry& entry : keyTable) {
        if (entry.keysym == keysym)
            return entry.macKeyCode;
    }
    if (auto code = lookUpAlias(shiftedSymbols, keysym))
        return code;
    return lookUpAlias(keypadNavigationKeysyms, keysym);
}

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
        if (auto code = lookUpAlias(keypadNavigationQtKeys, static_cast<std::uint32_t>(qtKey)))
            return code;
        // A keypad key without a keypad entry of its own is the main key of that name.
        for (const KeyEntry& entry : keyTable) {
            if (entry.qtKey == qtKey)
                return entry.macKeyCode;
        }
    }
    if (qtKey >= 0) {
        if (auto code = lookUpAlias(shiftedSymbols, static_cast<std::uint32_t>(qtKey)))
            return code;
    }
    // Keypad Enter reported without the keypad flag.
    for (const KeyEntry& entry : keyTable) {
        if (entry.qtKey == qtKey)
            return entry.macKeyCode;
    }
    return std::nullopt;
}

std::optional<std::uint32_t> macKeyCodeForKey(std::uint32_t keysym, int qtKey,
                                              Qt::KeyboardModifiers modifiers)
{
    if (keysym != 0) {
        if (auto code = macKeyCodeForKeysym(keysym))
            return code;
    }
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

std::uint32_t x11ModifiersForCarbonMask(std::uint32_t mask)
{
    return translateMask(mask, carbonToX11);
}

std::uint32_t carbonMaskForX11Modifiers(std::uint32_t state)
{
    return translateMask(state, x11ToCarbon);
}
