// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings/settings_window_widgets.h"

#include "ui/widgets/label_factory.h"

#include <QFrame>
#include <QLabel>

namespace {

constexpr double minimumCaptionPoints = 8;

} // namespace

QLabel* sectionTitle(const QString& text, QWidget* parent)
{
    return textLabel(text, {.style = TextStyle::title3, .weight = QFont::Bold}, parent);
}

QLabel* captionText(const QString& text, QWidget* parent)
{
    QLabel* label =
        textLabel(text, {.style = TextStyle::caption, .tone = TextTone::secondary, .wrap = true}, parent);
    // Small desktop fonts would make the caption unreadable.
    QFont font = label->font();
    if (font.pointSizeF() > 0 && font.pointSizeF() < minimumCaptionPoints) {
        font.setPointSizeF(minimumCaptionPoints);
        label->setFont(font);
    }
    return label;
}

QLabel* calloutTitle(const QString& text, QWidget* parent)
{
    return textLabel(text, {.style = TextStyle::callout, .weight = QFont::DemiBold, .wrap = true}, parent);
}

QFrame* horizontalDivider(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}
