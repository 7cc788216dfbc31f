// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>

// Where each element of an account row sits, from the row's rectangle and the width of its
// code text. Painting and hit-testing both read this, so a click always lands on what is drawn.
struct AccountRowLayout
{
    enum class Element
    {
        none,
        handle,
        code,
        advance,
        copy
    };

    static constexpr int rowHeight = 52;
    static constexpr int inset = 8;    // between the list's edge and the row background
    static constexpr int padding = 10; // inside the row background
    static constexpr int spacing = 14;
    static constexpr int handleWidth = 22;
    static constexpr int handleHeight = 30;
    static constexpr int badgeSize = 36;
    static constexpr int buttonSize = 22; // countdown ring, advance and copy buttons

    QRect background;
    QRect handle;
    QRect badge;
    QRect nameBlock;
    QRect code;
    QRect ringOrAdvance;
    QRect copy;

    // The clickable element under a point; the ring is not clickable.
    Element elementAt(QPoint point, bool counterBased) const;
};

AccountRowLayout accountRowLayout(const QRect& row, int codeTextWidth);
