// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/label_factory.h"

#include "ui/widgets/ui_colors.h"

#include <QLabel>

namespace {

std::optional<QColor> toneColor(TextTone tone, const QPalette& palette)
{
    switch (tone) {
    case TextTone::primary:
        break;
    case TextTone::secondary:
        return secondaryColor(palette);
    case TextTone::faint:
        return withAlpha(primaryColor(palette), 0.35);
    case TextTone::error:
        return redColor();
    }
    return std::nullopt;
}

} // namespace

QLabel* textLabel(const QString& text, const LabelLook& look, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(look.wrap);
    if (look.alignment.toInt() != 0)
        label->setAlignment(look.alignment);
    // Body text keeps following the window's font.
    if (look.style != TextStyle::body || look.weight) {
        QFont font = textStyleFont(label->font(), look.style);
        if (look.weight)
            font.setWeight(*look.weight);
        label->setFont(font);
    }
    if (const std::optional<QColor> color = toneColor(look.tone, label->palette())) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, *color);
        label->setPalette(palette);
    }
    return label;
}

QLabel* iconLabel(AppIcon icon, int size, const QColor& color, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setPixmap(tintedIconPixmap(icon, QSize(size, size), color, label->devicePixelRatioF()));
    label->setFixedSize(size, size);
    return label;
}
