// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/tray/tray_window_placement.h"

#include <algorithm>

namespace {

constexpr int gap = 4;

int clamped(int value, int low, int high)
{
    // A window larger than the screen keeps its top-left corner visible.
    return std::max(low, std::min(value, high));
}

} // namespace

QPoint trayWindowPosition(const QRect& iconGeometry, const QPoint& cursor, const QSize& windowSize,
                          const QRect& available)
{
    const QRect anchor =
        iconGeometry.isValid() && !iconGeometry.isEmpty() ? iconGeometry : QRect(cursor, QSize(1, 1));
    const bool iconAtTop = anchor.center().y() < available.center().y();
    const int y = iconAtTop ? anchor.bottom() + 1 + gap : anchor.top() - gap - windowSize.height();
    const int x = anchor.right() + 1 - windowSize.width();
    return {clamped(x, available.left(), available.right() + 1 - windowSize.width()),
            clamped(y, available.top(), available.bottom() + 1 - windowSize.height())};
}
