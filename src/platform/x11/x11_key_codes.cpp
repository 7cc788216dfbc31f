// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/x11_key_codes.h"

#include "platform/key_codes.h"

#include <array>
#include <utility>

namespace {

struct KeyEntry
{
    std::uint32_t macKeyCode;
    std::uint32_t keysym;
};

// The ANSI keyboard, one row per physical key; letters by their lower-case keysyms.
constexpr auto keyTable = std::to_array<KeyEntry>({
    {0, 0x0061},
    {1, 0x0073},
    {2, 0x0064},
    {3, 0x0066},
    {4, 0x0068},
    {5, 0x0067},
    {6, 0x007a},
    {7, 0x0078},
    {8, 0x0063},
    {9, 0x0076},
    {11, 0x0062},
    {12, 0x0071},
    {13, 0x0077},
    {14, 0x0065},
    {15, 0x0072},
    {16, 0x0079},
    {17, 0x0074},
    {18, 0x0031},
    {19, 0x0032},
    {20, 0x0033},
    {21, 0x0034},
    {22, 0x0036},
    {23, 0x0035},
    {24, 0x003d},
    {25, 0x0039},
    {26, 0x0037},
    {27, 0x002d},
    {28, 0x0038},
    {29, 0x0030},
    {30, 0x005d},
    {31, 0x006f},
    {32, 0x0075},
    {33, 0x005b},
    {34, 0x0069},
    {35, 0x0070},
    {36, 0xff0d},
    {37, 0x006c},
    {38, 0x006a},
    {39, 0x0027},
    {40, 0x006b},
    {41, 0x003b},
    {42, 0x005c},
    {43, 0x002c},
    {44, 0x002f},
    {45, 0x006e},
    {46, 0x006d},
    {47, 0x002e},
    {48, 0xff09},
    {49, 0x0020},
    {50, 0x0060},
    {51, 0xff08},
    {53, 0xff1b},
    {64, 0xffce},
    {65, 0xffae},
    {67, 0xffaa},
    {69, 0xffab},
    {71, 0xff0b},
    {72, 0x1008ff13},
    {73, 0x1008ff11},
    {74, 0x1008ff12},
    {75, 0xffaf},
    {76, 0xff8d},
    {78, 0xffad},
    {79, 0xffcf},
    {80, 0xffd0},
    {81, 0xffbd},
    {82, 0xffb0},
    {83, 0xffb1},
    {84, 0xffb2},
    {85, 0xffb3},
    {86, 0xffb4},
    {87, 0xffb5},
    {88, 0xffb6},
    {89, 0xffb7},
    {90, 0xffd1},
    {91, 0xffb8},
    {92, 0xffb9},
    {96, 0xffc2},
    {97, 0xffc3},
    {98, 0xffc4},
    {99, 0xffc0},
    {100, 0xffc5},
    {101, 0xffc6},
    {103, 0xffc8},
    {105, 0xffca},
    {106, 0xffcd},
    {107, 0xffcb},
    {109, 0xffc7},
    {111, 0xffc9},
    {113, 0xffcc},
    // The Help key sits where PC keyboards have Insert.
    {114, 0xff63},
    {115, 0xff50},
    {116, 0xff55},
    {117, 0xffff},
    {118, 0xffc1},
    {119, 0xff57},
    {120, 0xffbf},
    {121, 0xff56},
    {122, 0xffbe},
    {123, 0xff51},
    {124, 0xff53},
    {125, 0xff54},
    {126, 0xff52},
});

} // namespace

std::optional<std::uint32_t> keysymForMacKeyCode(std::uint32_t macKeyCode)
{
    for (const KeyEntry& entry : keyTable) {
        if (entry.macKeyCode == macKeyCode)
            return entry.keysym;
    }
    return std::nullopt;
}

std::uint32_t x11ModifiersForCarbonMask(std::uint32_t mask)
{
    constexpr std::array<std::pair<std::uint32_t, std::uint32_t>, 4> carbonToX11{{
        {CarbonMask::command, X11ModifierMask::control},
        {CarbonMask::shift, X11ModifierMask::shift},
        {CarbonMask::option, X11ModifierMask::mod1},
        {CarbonMask::control, X11ModifierMask::mod4},
    }};
    std::uint32_t result = 0;
    for (const auto& [from, to] : carbonToX11) {
        if ((mask & from) != 0)
            result |= to;
    }
    return result;
}
