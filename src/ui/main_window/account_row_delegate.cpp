// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/account_row_delegate.h"

#include "core/account.h"
#include "ui/main_window/account_list_model.h"
#include "ui/widgets/account_presentation.h"
#include "ui/widgets/timer_ring.h"
#include "ui/widgets/ui_colors.h"
#include "ui/widgets/ui_fonts.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

namespace {

const Account* accountFor(const QModelIndex& index)
{
    const auto* model = qobject_cast<const AccountListModel*>(index.model());
    if (model == nullptr || !index.isValid() || index.row() >= model->rowCount())
        return nullptr;
    return &model->accountAt(index.row());
}

QString displayedCode(const Account& account, Instant now)
{
    return groupedCode(account.code(now));
}

} // namespace

AccountRowDelegate::AccountRowDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

AccountRowLayout AccountRowDelegate::layoutFor(const QStyleOptionViewItem& option,
                                               const Account& account) const
{
    const QFontMetrics metrics(codeFont(option.font));
    return accountRowLayout(option.rect, metrics.horizontalAdvance(displayedCode(account, m_now)));
}

AccountRowLayout::Element AccountRowDelegate::elementAt(const QStyleOptionViewItem& option,
                                                        const QModelIndex& index, QPoint point) const
{
    const Account* account = accountFor(index);
    if (account == nullptr)
        return AccountRowLayout::Element::none;
    return layoutFor(option, *account).elementAt(point, account->type == OTPType::hotp);
}

QString AccountRowDelegate::toolTipAt(const QStyleOptionViewItem& option, const QModelIndex& index,
                                      QPoint point) const
{
    const Account* account = accountFor(index);
    if (account == nullptr)
        return {};
    switch (elementAt(option, index, point)) {
    case AccountRowLayout::Element::handle:
        return tr("Drag to reorder");
    case AccountRowLayout::Element::code:
        return tr("Click to copy");
    case AccountRowLayout::Element::advance:
        return tr("Generate next HOTP code");
    case AccountRowLayout::Element::copy:
        return m_copiedAccountID == account->id ? tr("Copied!") : tr("Copy code");
    case AccountRowLayout::Element::none:
        break;
    }
    return {};
}

QPixmap AccountRowDelegate::icon(AppIcon which, int size, const QColor& color, qreal devicePixelRatio) const
{
    const QString key = QStringLiteral("%1/%2/%3/%4")
                            .arg(static_cast<int>(which))
                            .arg(size)
                            .arg(color.rgba())
                            .arg(devicePixelRatio);
    auto found = m_iconCache.constFind(key);
    if (found != m_iconCache.constEnd())
        return *found;
    QPixmap pixmap = tintedIconPixmap(which, QSize(size, size), color, devicePixelRatio);
    m_iconCache.insert(key, pixmap);
    return pixmap;
}

void AccountRowDelegate::paintNameBlock(QPainter& painter, const QStyleOptionViewItem& option,
                                        const AccountRowLayout& layout, const Account& account) const
{
    const QFont titleFont = textStyleFont(option.font, TextStyle::bodySemibold);
    const QFont subtitleFont = textStyleFont(option.font, TextStyle::caption);
    const QFontMetrics titleMetrics(titleFont);
    const QFontMetrics subtitleMetrics(subtitleFont);
    const QString subtitle = rowSubtitle(account);
    constexpr int lineGap = 2;

    const int blockHeight = subtitle.isEmpty() ? titleMetrics.height()
                                               : titleMetrics.height() + lineGap + subtitleMetrics.height();
    const QRect& block = layout.nameBlock;
    QRect titleRect(block.left(), block.top() + (block.height() - blockHeight) / 2, block.width(),
                    titleMetrics.height());
    painter.setFont(titleFont);
    painter.setPen(primaryColor(option.palette));
    painter.drawText(titleRect, Qt::AlignLeft | Qt::AlignVCenter,
                     titleMetrics.elidedText(rowTitle(account), Qt::ElideRight, block.width()));
    if (subtitle.isEmpty())
        return;
    QRect subtitleRect(block.left(), titleRect.bottom() + 1 + lineGap, block.width(),
                       subtitleMetrics.height());
    painter.setFont(subtitleFont);
    painter.setPen(secondaryColor(option.palette));
    painter.drawText(subtitleRect, Qt::AlignLeft | Qt::AlignVCenter,
                     subtitleMetrics.elidedText(subtitle, Qt::ElideRight, block.width()));
}

namespace {

// The part of the viewport this paint covers, in the painter's coordinates: the animation
// of the rings repaints only their column, and rows then skip everything outside it.
QRect exposedRect(const QPainter& painter)
{
    const QPaintEngine* engine = painter.paintEngine();
    if (engine == nullptr || engine->systemClip().isEmpty())
        return {};
    return painter.deviceTransform().inverted().mapRect(engine->systemClip().boundingRect());
}

} // namespace

void AccountRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const
{
    const Account* account = accountFor(index);
    if (account == nullptr)
        return;
    const QPalette& palette = option.palette;
    const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const QRect exposed = exposedRect(*painter);
    const auto shows = [&exposed](const QRect& area) {
        return exposed.isEmpty() || exposed.intersects(area);
    };

    // Where the ring and buttons sit does not depend on the code; the code is computed only
    // when the text part of the row is to be drawn.
    AccountRowLayout layout = accountRowLayout(option.rect, 0);
    const QRect textArea(layout.handle.topLeft(), layout.ringOrAdvance.bottomLeft());
    const bool drawText = shows(textArea);
    QString code;
    const QFont digits = codeFont(option.font);
    if (drawText) {
        code = displayedCode(*account, m_now);
        layout = accountRowLayout(option.rect, QFontMetrics(digits).horizontalAdvance(code));
    }

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);

    // An inset list: rounded row backgrounds, every other row lightly filled.
    QColor background = Qt::transparent;
    if (option.state & QStyle::State_Selected)
        background = withAlpha(accentColor(palette), 0.18);
    else if (index.row() % 2 == 1)
        background = withAlpha(primaryColor(palette), 0.045);
    if (background.alpha() > 0) {
        QPainterPath path;
        path.addRoundedRect(layout.background, 6, 6);
        painter->fillPath(path, background);
    }
    // The keyboard's row: Return copies it, Ctrl+Up and Ctrl+Down move it.
    if (option.state & QStyle::State_HasFocus) {
        painter->setPen(QPen(accentColor(palette), 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(QRectF(layout.background).adjusted(1, 1, -1, -1), 6, 6);
    }

    const QColor accent = accentColor(palette);
    if (drawText) {
        if (m_canReorder) {
            const QRect handleIcon(layout.handle.center() - QPoint(7, 7), QSize(15, 15));
            painter->drawPixmap(handleIcon, icon(AppIcon::dragHandle, 15, secondaryColor(palette), dpr));
        }

        painter->setPen(Qt::NoPen);
        painter->setBrush(withAlpha(accent, 0.15));
        painter->drawEllipse(layout.badge);
        painter->setFont(badgeFont(option.font));
        painter->setPen(accent);
        painter->drawText(layout.badge, Qt::AlignCenter, initials(*account));

        paintNameBlock(*painter, option, layout, *account);

        painter->setFont(digits);
        painter->setPen(primaryColor(palette));
        painter->drawText(layout.code, Qt::AlignRight | Qt::AlignVCenter, code);
    }

    if (account->type == OTPType::totp) {
        const auto period = static_cast<double>(account->period);
        const TimerRing ring{period, m_now};
        const double arc = m_ringFraction >= 1
                               ? ring.progress()
                               : blendedProgress(TimerRing{period, m_previousNow}, ring, m_ringFraction);
        paintTimerRing(*painter, layout.ringOrAdvance, ring, palette, arc);
    } else {
        const QRect advanceIcon(layout.ringOrAdvance.center() - QPoint(9, 9), QSize(19, 19));
        painter->drawPixmap(advanceIcon, icon(AppIcon::advance, 19, accent, dpr));
    }

    if (shows(layout.copy)) {
        const bool copied = m_copiedAccountID == account->id;
        const QRect copyIcon(layout.copy.center() - QPoint(8, 8), QSize(17, 17));
        painter->drawPixmap(copyIcon, copied ? icon(AppIcon::copied, 17, greenColor(), dpr)
                                             : icon(AppIcon::copy, 17, secondaryColor(palette), dpr));
    }
    painter->restore();
}

QSize AccountRowDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const
{
    // No width of its own: the view gives every row the viewport's width, whatever it is.
    return QSize(0, AccountRowLayout::rowHeight);
}

bool AccountRowDelegate::editorEvent(QEvent* event, QAbstractItemModel*, const QStyleOptionViewItem& option,
                                     const QModelIndex& index)
{
    using Element = AccountRowLayout::Element;
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton)
        return false;
    const Element element = elementAt(option, index, mouse->position().toPoint());
    if (event->type() == QEvent::MouseButtonPress) {
        m_pressed = element;
        m_pressedRow = index.row();
        // Let the view select the row and start drags; a press on a button stays a click.
        return element == Element::copy || element == Element::advance;
    }
    // A click is a press and a release on the same part of the same row.
    const bool sameTarget = element == m_pressed && index.row() == m_pressedRow;
    m_pressed = Element::none;
    m_pressedRow = -1;
    if (!sameTarget)
        return false;
    if (element == Element::code || element == Element::copy) {
        Q_EMIT copyRequested(index.row());
        return true;
    }
    if (element == Element::advance) {
        Q_EMIT incrementRequested(index.row());
        return true;
    }
    return false;
}

bool AccountRowDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                   const QStyleOptionViewItem& option, const QModelIndex& index)
{
    if (event->type() != QEvent::ToolTip)
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    const QString text = toolTipAt(option, index, event->pos());
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
        return false;
    }
    const AccountRowLayout::Element element = elementAt(option, index, event->pos());
    const Account* account = accountFor(index);
    const AccountRowLayout layout = layoutFor(option, *account);
    QRect area;
    switch (element) {
    case AccountRowLayout::Element::handle:
        area = layout.handle;
        break;
    case AccountRowLayout::Element::code:
        area = layout.code;
        break;
    case AccountRowLayout::Element::advance:
        area = layout.ringOrAdvance;
        break;
    case AccountRowLayout::Element::copy:
        area = layout.copy;
        break;
    case AccountRowLayout::Element::none:
        break;
    }
    QToolTip::showText(event->globalPos(), text, view->viewport(), area);
    return true;
}
