// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QSize>

// Icons of the tray item, its window and the settings window: the desktop theme's icon when it
// has one, else our own SVG.
enum class TrayGlyph
{
    trayKey,
    chevronUp,
    chevronDown,
    openWindow,
    eyeSlash,
    list,
    gear,
    textCursor,
    warning,
    command,
    commandCircle,
    keyring
};

QIcon trayGlyph(TrayGlyph glyph);

// The icon in one colour, for symbols whose colour carries meaning (a disabled chevron, the
// orange warning) whatever the theme draws.
QPixmap tintedTrayPixmap(TrayGlyph icon, QSize size, const QColor& color, qreal devicePixelRatio);
