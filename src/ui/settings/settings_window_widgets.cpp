// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings/settings_window_widgets.h"

#include "ui/widgets/ui_colors.h"
#include "ui/widgets/ui_fonts.h"

#include <QFrame>
#include <QLabel>

namespace {

constexpr double minimumCaptionPoints = 8;

} // namespace

QLabel* sectionTitle(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont font = textStyleFont(parent->font(), TextStyle::title3);
    font.setWeight(QFont::Bold);
    label->setFont(font);
    return label;
}

QLabel* captionText(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont font = textStyleFont(parent->font(), TextStyle::caption);
    // Small desktop fonts would make the caption unreadable.
    if (font.pointSizeF() > 0 && font.pointSizeF() < minimumCaptionPoints)
        font.setPointSizeF(minimumCaptionPoints);
    label->setFont(font);
    label->setWordWrap(true);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, secondaryColor(parent->palette()));
    label->setPalette(pal);
    return label;
}

QLabel* calloutTitle(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont font = textStyleFont(parent->font(), TextStyle::callout);
    font.setWeight(QFont::DemiBold);
    label->setFont(font);
    label->setWordWrap(true);
    return label;
}

QFrame* horizontalDivider(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}
