// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/ui_fonts.h"

#include <QFontDatabase>

namespace {

// Sizes follow the usual desktop ratios to a 13-point body text.
QFont scaled(QFont font, double points, QFont::Weight weight = QFont::Normal)
{
    const double base = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 0.75;
    font.setPointSizeF(base * points / 13.0);
    font.setWeight(weight);
    return font;
}

} // namespace

QFont textStyleFont(const QFont& body, TextStyle style)
{
    switch (style) {
    case TextStyle::body:
        return scaled(body, 13);
    case TextStyle::bodySemibold:
        return scaled(body, 13, QFont::DemiBold);
    case TextStyle::headline:
        return scaled(body, 13, QFont::Bold);
    case TextStyle::title2:
        return scaled(body, 17);
    case TextStyle::title3:
        return scaled(body, 15);
    case TextStyle::callout:
        return scaled(body, 12);
    case TextStyle::caption:
        return scaled(body, 10);
    }
    return body;
}

QFont codeFont(const QFont& body)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(textStyleFont(body, TextStyle::title2).pointSizeF());
    font.setWeight(QFont::Medium);
    font.setStyleHint(QFont::Monospace);
    return font;
}

QFont ringFont(const QFont& body)
{
    return scaled(body, 9, QFont::DemiBold);
}

QFont badgeFont(const QFont& body)
{
    return scaled(body, 13, QFont::DemiBold);
}
