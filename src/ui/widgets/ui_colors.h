// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPalette>

// The named colours of the design, mapped onto the widget palette so that light and dark
// themes both read well. Fixed hues are used only where the colour carries meaning.
QColor accentColor(const QPalette& palette);
QColor primaryColor(const QPalette& palette);
QColor secondaryColor(const QPalette& palette);
QColor quaternaryColor(const QPalette& palette);
QColor orangeColor();
QColor redColor();
QColor greenColor();
// A colour at a lower opacity, for tinted fills.
QColor withAlpha(QColor color, double opacity);
