// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/add_account/add_account_segmented_control.h"

#include "ui/widgets/ui_colors.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QToolButton>

AddAccountSegmentedControl::AddAccountSegmentedControl(QWidget* parent)
    : QWidget(parent), m_group(new QButtonGroup(this)), m_layout(new QHBoxLayout(this))
{
    m_group->setExclusive(true);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    connect(m_group, &QButtonGroup::idClicked, this, &AddAccountSegmentedControl::selectedChanged);
    // The chosen segment is filled with the accent colour, so it stands out in every theme.
    const QPalette& colors = palette();
    setStyleSheet(
        QStringLiteral("QToolButton { padding: 4px 10px; border: 1px solid %1; background: %2; color: %3; }"
                       "QToolButton:checked { background: %4; border-color: %4; color: %5; }")
            .arg(quaternaryColor(colors).name(QColor::HexArgb), colors.color(QPalette::Button).name(),
                 colors.color(QPalette::ButtonText).name(), accentColor(colors).name(),
                 colors.color(QPalette::HighlightedText).name()));
}

QToolButton* AddAccountSegmentedControl::addSegment(int value, const QString& title, const QIcon& icon)
{
    auto* button = new QToolButton(this);
    button->setText(title);
    button->setCheckable(true);
    button->setAutoRaise(false);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    if (!icon.isNull()) {
        button->setIcon(icon);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    } else {
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    }
    button->setChecked(m_group->buttons().isEmpty());
    m_group->addButton(button, value);
    m_layout->addWidget(button);
    return button;
}

int AddAccountSegmentedControl::selected() const
{
    return m_group->checkedId();
}

void AddAccountSegmentedControl::setSelected(int value)
{
    QAbstractButton* button = m_group->button(value);
    if (button == nullptr || button->isChecked())
        return;
    const QSignalBlocker blocker(m_group);
    button->setChecked(true);
}
