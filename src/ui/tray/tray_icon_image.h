// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QIcon>
#include <QImage>
#include <QString>

// The tray item's picture: the key symbol in a square of `height` pixels, then, when there is
// a code, 4 pixels of space and the code in a fixed-pitch font. Trays that only show squares
// scale it down; the code is also the tooltip.
QImage trayIconImage(const QIcon& key, const QString& code, int height, const QFont& font);
