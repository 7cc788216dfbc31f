// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the tray window opens: under the tray icon when the icon sits in the upper half of the
// screen, above it otherwise, aligned with the icon's right edge; at the cursor when the tray
// reports no icon geometry. Always kept inside the available screen area.
QPoint trayWindowPosition(const QRect& iconGeometry, const QPoint& cursor, const QSize& windowSize,
                          const QRect& available);
