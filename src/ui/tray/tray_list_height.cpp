// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/tray/tray_list_height.h"

#include <algorithm>
#include <cmath>

bool TrayListHeight::report(double measuredHeight)
{
    // A broken measurement must not collapse or explode the window.
    if (!std::isfinite(measuredHeight) || measuredHeight < 0)
        return false;
    if (measuredHeight == m_listHeight)
        return false;
    m_listHeight = measuredHeight;
    return true;
}

double TrayListHeight::areaHeight() const
{
    return std::min(m_listHeight, maxHeight);
}
