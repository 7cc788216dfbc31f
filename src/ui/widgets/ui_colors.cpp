// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/ui_colors.h"

QColor withAlpha(QColor color, double opacity)
{
    color.setAlphaF(static_cast<float>(opacity));
    return color;
}

QColor accentColor(const QPalette& palette)
{
    return palette.color(QPalette::Active, QPalette::Highlight);
}

QColor primaryColor(const QPalette& palette)
{
    return palette.color(QPalette::Active, QPalette::Text);
}

QColor secondaryColor(const QPalette& palette)
{
    return withAlpha(primaryColor(palette), 0.55);
}

QColor quaternaryColor(const QPalette& palette)
{
    return withAlpha(primaryColor(palette), 0.12);
}

QColor orangeColor()
{
    return QColor(0xF0, 0x8A, 0x00);
}

QColor redColor()
{
    return QColor(0xE0, 0x1B, 0x24);
}

QColor greenColor()
{
    return QColor(0x2E, 0xA0, 0x43);
}
