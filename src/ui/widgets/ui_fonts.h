// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

// Text styles relative to the body font (the application font), so a user's chosen font
// size scales the whole window.
enum class TextStyle
{
    body,
    bodySemibold,
    headline,
    title2,
    title3,
    callout,
    caption
};

QFont textStyleFont(const QFont& body, TextStyle style);
// The code digits: fixed-pitch, title2 size, medium weight.
QFont codeFont(const QFont& body);
// The seconds inside a countdown ring.
QFont ringFont(const QFont& body);
// Initials on the round badge.
QFont badgeFont(const QFont& body);
