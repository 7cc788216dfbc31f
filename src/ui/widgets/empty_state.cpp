// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/empty_state.h"

#include "ui/widgets/label_factory.h"
#include "ui/widgets/ui_colors.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

QWidget* emptyStateWidget(const EmptyState& state, QWidget* parent)
{
    auto* box = new QWidget(parent);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(state.margins);
    column->setSpacing(state.spacing);
    column->addStretch(1);
    column->addWidget(iconLabel(state.icon, state.iconSize, secondaryColor(box->palette()), box), 0,
                      Qt::AlignHCenter);
    column->addWidget(textLabel(state.title, {.style = state.titleStyle, .alignment = Qt::AlignCenter}, box));
    if (!state.text.isEmpty()) {
        column->addWidget(textLabel(state.text,
                                    {.style = state.textStyle,
                                     .tone = TextTone::secondary,
                                     .wrap = true,
                                     .alignment = Qt::AlignCenter},
                                    box));
    }
    if (state.button != nullptr)
        column->addWidget(state.button, 0, Qt::AlignHCenter);
    column->addStretch(1);
    return box;
}
