// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/widgets/app_icons.h"
#include "ui/widgets/ui_fonts.h"

#include <QMargins>
#include <QString>

class QPushButton;
class QWidget;

// What a window shows where a list has nothing in it: an icon, a title, a line of explanation
// and a button, centred one above the other.
struct EmptyState
{
    AppIcon icon = AppIcon::lockShield;
    int iconSize = 0;
    QString title = {};
    TextStyle titleStyle = TextStyle::headline;
    // None when empty.
    QString text = {};
    TextStyle textStyle = TextStyle::callout;
    QMargins margins = {};
    int spacing = 12;
    // None when null; the empty state takes it over.
    QPushButton* button = nullptr;
};

QWidget* emptyStateWidget(const EmptyState& state, QWidget* parent);
