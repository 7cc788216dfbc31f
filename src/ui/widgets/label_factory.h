// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/widgets/app_icons.h"
#include "ui/widgets/ui_fonts.h"

#include <QFont>
#include <QString>
#include <optional>

class QLabel;
class QWidget;

// The colour of a label's text, taken from the palette of the widget it is shown in.
enum class TextTone
{
    primary,
    // Explanations under a title or a control.
    secondary,
    // Tips that should not draw the eye away from the explanation above them.
    faint,
    // Something went wrong.
    error
};

struct LabelLook
{
    TextStyle style = TextStyle::body;
    // Instead of the style's own weight.
    std::optional<QFont::Weight> weight = std::nullopt;
    TextTone tone = TextTone::primary;
    bool wrap = false;
    Qt::Alignment alignment = {};
};

// Every text label of the windows. The text is plain: names and paths that come from
// elsewhere are never read as markup.
QLabel* textLabel(const QString& text, const LabelLook& look, QWidget* parent);
// An icon of the program, in one colour, on a square of `size` pixels.
QLabel* iconLabel(AppIcon icon, int size, const QColor& color, QWidget* parent);
