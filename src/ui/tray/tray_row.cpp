// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/tray/tray_row.h"

#include "ui/tray/tray_row_copy_button.h"
#include "ui/widgets/app_icons.h"
#include "ui/widgets/ui_colors.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int moveColumnWidth = 24;
constexpr int moveColumnHeight = 34;
constexpr int chevronSize = 9;

QToolButton* chevronButton(QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIconSize(QSize(chevronSize, chevronSize));
    button->setFixedSize(moveColumnWidth, moveColumnHeight / 2);
    button->setStyleSheet(QStringLiteral("QToolButton { border: none; padding: 0; }"));
    return button;
}

} // namespace

TrayRow::TrayRow(QWidget* parent)
    : QWidget(parent), m_up(chevronButton(this)), m_down(chevronButton(this)),
      m_copy(new TrayRowCopyButton(this))
{
    auto* moveColumn = new QWidget(this);
    moveColumn->setFixedSize(moveColumnWidth, moveColumnHeight);
    moveColumn->setToolTip(tr("Move up or down"));
    m_up->setParent(moveColumn);
    m_down->setParent(moveColumn);
    m_up->setToolTip(moveColumn->toolTip());
    m_down->setToolTip(moveColumn->toolTip());
    auto* moveLayout = new QVBoxLayout(moveColumn);
    moveLayout->setContentsMargins(0, 0, 0, 0);
    moveLayout->setSpacing(0);
    moveLayout->addWidget(m_up);
    moveLayout->addWidget(m_down);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 1); // room for the divider
    layout->setSpacing(0);
    layout->addWidget(moveColumn, 0, Qt::AlignVCenter);
    layout->addWidget(m_copy, 1);

    connect(m_up, &QToolButton::clicked, this, [this] { Q_EMIT moveUpRequested(m_content.account.id); });
    connect(m_down, &QToolButton::clicked, this, [this] { Q_EMIT moveDownRequested(m_content.account.id); });
    connect(m_copy, &TrayRowCopyButton::clicked, this,
            [this] { Q_EMIT copyRequested(m_content.account.id); });
    updateChevrons();
}

void TrayRow::setContent(const TrayRowContent& content)
{
    const bool chevronsChanged =
        content.canMoveUp != m_content.canMoveUp || content.canMoveDown != m_content.canMoveDown;
    m_content = content;
    m_copy->setContent(content);
    const QString label = accountLabel(content.account);
    m_up->setAccessibleName(tr("Move %1 up").arg(label));
    m_down->setAccessibleName(tr("Move %1 down").arg(label));
    if (chevronsChanged)
        updateChevrons();
}

void TrayRow::updateChevrons()
{
    const QPalette& pal = palette();
    const qreal ratio = devicePixelRatioF();
    const auto look = [&](QToolButton* button, AppIcon icon, bool enabled) {
        button->setEnabled(enabled);
        // Our own colours in both states: the style's disabled look is too faint to tell apart.
        const QColor color = enabled ? secondaryColor(pal) : quaternaryColor(pal);
        const QPixmap pixmap = tintedIconPixmap(icon, QSize(chevronSize, chevronSize), color, ratio);
        QIcon themed;
        themed.addPixmap(pixmap, QIcon::Normal);
        themed.addPixmap(pixmap, QIcon::Disabled);
        themed.addPixmap(pixmap, QIcon::Active);
        button->setIcon(themed);
    };
    look(m_up, AppIcon::chevronUp, m_content.canMoveUp);
    look(m_down, AppIcon::chevronDown, m_content.canMoveDown);
}

void TrayRow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(quaternaryColor(palette()));
    painter.drawLine(0, height() - 1, width(), height() - 1);
}

void TrayRow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        updateChevrons();
    QWidget::changeEvent(event);
}
