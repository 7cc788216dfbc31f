// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/account_row_layout.h"

#include <algorithm>

namespace {

QRect centredBox(int left, int width, int height, const QRect& within)
{
    return QRect(left, within.top() + (within.height() - height) / 2, width, height);
}

} // namespace

AccountRowLayout accountRowLayout(const QRect& row, int codeTextWidth)
{
    using L = AccountRowLayout;
    AccountRowLayout layout;
    layout.background = row.adjusted(L::inset, 1, -L::inset, -1);
    const QRect content = layout.background.adjusted(L::padding, 4, -L::padding, -4);

    int left = content.left();
    layout.handle = centredBox(left, L::handleWidth, L::handleHeight, content);
    left = layout.handle.right() + 1 + L::spacing;
    layout.badge = centredBox(left, L::badgeSize, L::badgeSize, content);
    left = layout.badge.right() + 1 + L::spacing;

    int right = content.right() + 1;
    layout.copy = centredBox(right - L::buttonSize, L::buttonSize, L::buttonSize, content);
    right = layout.copy.left() - L::spacing;
    layout.ringOrAdvance = centredBox(right - L::buttonSize, L::buttonSize, L::buttonSize, content);
    right = layout.ringOrAdvance.left() - L::spacing;
    // The code keeps its full width; the name block gives way on a narrow window.
    layout.code = QRect(right - codeTextWidth, content.top(), codeTextWidth, content.height());
    right = layout.code.left() - L::spacing;
    layout.nameBlock = QRect(left, content.top(), std::max(0, right - left), content.height());
    return layout;
}

AccountRowLayout::Element AccountRowLayout::elementAt(QPoint point, bool counterBased) const
{
    if (copy.contains(point))
        return Element::copy;
    if (counterBased && ringOrAdvance.contains(point))
        return Element::advance;
    if (code.contains(point))
        return Element::code;
    if (handle.contains(point))
        return Element::handle;
    return Element::none;
}
