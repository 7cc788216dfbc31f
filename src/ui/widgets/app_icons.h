// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QSize>

// Every icon of the program in one registry: the desktop theme's icon when the theme has one,
// else our own SVG, so a bare system still shows every icon.
enum class AppIcon
{
    // main window
    key,
    search,
    plus,
    lockShield,
    advance,
    copy,
    copied,
    trash,
    dragHandle,
    application,
    menu,
    // tray item, tray window, settings window
    trayKey,
    chevronUp,
    chevronDown,
    openWindow,
    eyeSlash,
    list,
    gear,
    textCursor,
    warning,
    keyboard,
    keyboardCircle,
    keyring,
    // add-account modes
    scanScreen,
    imageFile,
    pasteLink,
    manualEntry,
    // copy panel
    checkCircle
};

QIcon appIcon(AppIcon icon);

// The icon as a one-colour silhouette, for icons whose colour carries meaning (a green
// checkmark, a disabled chevron, the orange warning) whatever the theme draws.
QPixmap tintedIconPixmap(AppIcon icon, QSize size, const QColor& color, qreal devicePixelRatio);
