// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtCore/qnamespace.h>
#include <cstdint>

// How a stored combination (macOS key code, Carbon mask) reads on screen.

// Letters, digits, F1-F12, Return, Tab, Space, Backspace, Escape and the arrows have names;
// every other key reads "Key " and its code ("Key 24").
QString keyName(std::uint32_t keyCode);

// "Ctrl+", "Alt+", "Shift+", "Super+" for the modifiers held, in that order, then the key
// name: "Ctrl+Shift+K". Both values 0 read "—"; mask bits other than the four are ignored.
QString comboDisplayString(std::uint32_t keyCode, std::uint32_t modifiers);

// The Carbon mask for Qt's modifiers: Ctrl, Shift, Alt and Meta (Super); nothing else counts.
std::uint32_t carbonModifiers(Qt::KeyboardModifiers modifiers);
