// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The height of the tray window's scrolling list: 220 until the rows have been measured,
// then their natural height, never more than 360 (longer lists scroll).
class TrayListHeight
{
public:
    static constexpr double initialHeight = 220;
    static constexpr double maxHeight = 360;

    // Takes a new measurement; true when it changed the list height.
    bool report(double measuredHeight);

    double listHeight() const { return m_listHeight; }
    double areaHeight() const;

private:
    double m_listHeight = initialHeight;
};
