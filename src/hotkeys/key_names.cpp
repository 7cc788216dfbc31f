// SPDX-License-Identifier: GPL-3.0-or-later
#include "hotkeys/key_names.h"

#include "platform/key_codes.h"

#include <QCoreApplication>
#include <array>
#include <utility>

namespace {

// Arrays rather than a map: the table is tiny and read on every redraw of a recorder.
constexpr auto keyNames = std::to_array<std::pair<std::uint32_t, const char16_t*>>({
    {0, u"A"},        {1, u"S"},        {2, u"D"},        {3, u"F"},       {4, u"H"},       {5, u"G"},
    {6, u"Z"},        {7, u"X"},        {8, u"C"},        {9, u"V"},       {11, u"B"},      {12, u"Q"},
    {13, u"W"},       {14, u"E"},       {15, u"R"},       {16, u"Y"},      {17, u"T"},      {18, u"1"},
    {19, u"2"},       {20, u"3"},       {21, u"4"},       {22, u"6"},      {23, u"5"},      {25, u"9"},
    {26, u"7"},       {28, u"8"},       {29, u"0"},       {31, u"O"},      {32, u"U"},      {34, u"I"},
    {35, u"P"},       {36, u"\u21A9"},  {37, u"L"},       {38, u"J"},      {40, u"K"},      {45, u"N"},
    {46, u"M"},       {48, u"\u21E5"},  {49, u"Space"},   {51, u"\u232B"}, {53, u"\u238B"}, {96, u"F5"},
    {97, u"F6"},      {98, u"F7"},      {99, u"F3"},      {100, u"F8"},    {101, u"F9"},    {103, u"F11"},
    {109, u"F10"},    {111, u"F12"},    {118, u"F4"},     {120, u"F2"},    {122, u"F1"},    {123, u"\u2190"},
    {124, u"\u2192"}, {125, u"\u2193"}, {126, u"\u2191"},
});

constexpr auto modifierWords = std::to_array<std::pair<std::uint32_t, const char16_t*>>({
    {CarbonMask::command, u"Ctrl+"},
    {CarbonMask::option, u"Alt+"},
    {CarbonMask::shift, u"Shift+"},
    {CarbonMask::control, u"Super+"},
});

} // namespace

QString keyName(std::uint32_t keyCode)
{
    for (const auto& [code, name] : keyNames) {
        if (code == keyCode)
            return QString::fromUtf16(name);
    }
    return QCoreApplication::translate("KeyNames", "Key %1").arg(keyCode);
}

QString comboDisplayString(std::uint32_t keyCode, std::uint32_t modifiers)
{
    if (keyCode == 0 && modifiers == 0)
        return QStringLiteral("\u2014");
    QString text;
    for (const auto& [bit, word] : modifierWords) {
        if ((modifiers & bit) != 0)
            text += QString::fromUtf16(word);
    }
    return text + keyName(keyCode);
}

std::uint32_t carbonModifiers(Qt::KeyboardModifiers modifiers)
{
    return carbonMaskForQtModifiers(modifiers);
}
