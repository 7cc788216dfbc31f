// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/instant.h"
#include "ui/main_window/account_row_layout.h"
#include "ui/widgets/app_icons.h"

#include <QHash>
#include <QPixmap>
#include <QStyledItemDelegate>
#include <QUuid>
#include <optional>

struct Account;

// Paints one account row of the main window and turns clicks on its parts into requests.
// Rows keep no state of their own: everything drawn comes from the account, the clock's
// instant, the copied mark and whether reordering is possible, all set from outside.
class AccountRowDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit AccountRowDelegate(QObject* parent = nullptr);

    // A new instant; the rings move from the previous one as the ring fraction goes to 1.
    void setNow(Instant now)
    {
        m_previousNow = m_now;
        m_now = now;
    }
    // How far, from 0 to 1, the rings have moved from the previous instant to the current one.
    void setRingFraction(double fraction) { m_ringFraction = fraction; }
    void setCopiedAccountID(std::optional<QUuid> id) { m_copiedAccountID = id; }
    void setCanReorder(bool canReorder) { m_canReorder = canReorder; }

    AccountRowLayout layoutFor(const QStyleOptionViewItem& option, const Account& account) const;
    AccountRowLayout::Element elementAt(const QStyleOptionViewItem& option, const QModelIndex& index,
                                        QPoint point) const;
    // The tooltip of the element under a point; empty where there is none.
    QString toolTipAt(const QStyleOptionViewItem& option, const QModelIndex& index, QPoint point) const;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

Q_SIGNALS:
    void copyRequested(int row);
    void incrementRequested(int row);

private:
    QPixmap icon(AppIcon which, int size, const QColor& color, qreal devicePixelRatio) const;
    void paintNameBlock(QPainter& painter, const QStyleOptionViewItem& option, const AccountRowLayout& layout,
                        const Account& account) const;

    Instant m_now{};
    Instant m_previousNow{};
    double m_ringFraction = 1;
    std::optional<QUuid> m_copiedAccountID;
    bool m_canReorder = true;
    AccountRowLayout::Element m_pressed = AccountRowLayout::Element::none;
    int m_pressedRow = -1;
    mutable QHash<QString, QPixmap> m_iconCache;
};
