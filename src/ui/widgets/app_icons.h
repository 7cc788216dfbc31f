// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QSize>

// The icons of the main window: the desktop theme's icon when it has one, else our own SVG,
// so a bare system still shows every icon.
enum class AppIcon
{
    key,
    search,
    plus,
    lockShield,
    advance,
    copy,
    copied,
    trash,
    dragHandle,
    application
};

QIcon appIcon(AppIcon icon);

// The icon as a one-colour silhouette, for icons whose colour carries meaning (a green
// checkmark, a secondary-grey copy symbol) whatever the theme draws.
QPixmap tintedIconPixmap(AppIcon icon, QSize size, const QColor& color, qreal devicePixelRatio);
