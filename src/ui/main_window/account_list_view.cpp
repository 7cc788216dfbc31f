// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/account_list_view.h"

#include "ui/main_window/account_list_model.h"
#include "ui/main_window/account_row_delegate.h"
#include "ui/widgets/app_icons.h"
#include "ui/widgets/ui_colors.h"

#include <QContextMenuEvent>
#include <QDrag>
#include <QDragMoveEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>

AccountListView::AccountListView(AccountRowDelegate& delegate, QWidget* parent)
    : QListView(parent), m_delegate(delegate)
{
    setItemDelegate(&m_delegate);
    // Every row has the same height, which keeps layout constant-time for long lists.
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setFrameShape(QFrame::NoFrame);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragDropMode(QAbstractItemView::DragDrop);
    setMouseTracking(true);
    setSpacing(0);
    viewport()->setAutoFillBackground(false);
    // Rows always fit the viewport: their contents give way (names elide) instead of
    // sliding under the vertical scrollbar.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setResizeMode(QListView::Adjust);
}

void AccountListView::startDrag(Qt::DropActions)
{
    // The move is applied by the owner from the drop alone; the base class would also try
    // to remove the dragged rows from the model afterwards.
    const QModelIndexList indexes = selectedIndexes();
    if (indexes.isEmpty() || model() == nullptr)
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(model()->mimeData(indexes));
    const QRect rowRect = visualRect(indexes.first());
    QPixmap preview(rowRect.size() * devicePixelRatioF());
    preview.setDevicePixelRatio(devicePixelRatioF());
    preview.fill(Qt::transparent);
    viewport()->render(&preview, QPoint(), QRegion(rowRect));
    drag->setPixmap(preview);
    drag->setHotSpot(viewport()->mapFromGlobal(QCursor::pos()) - rowRect.topLeft());
    drag->exec(Qt::MoveAction, Qt::MoveAction);
}

bool AccountListView::acceptsDrag(const QDropEvent* event) const
{
    const auto* rows = qobject_cast<const AccountListModel*>(model());
    return event->source() == this && rows != nullptr && rows->canReorder() &&
           !draggedRows(event->mimeData()).isEmpty();
}

void AccountListView::dragEnterEvent(QDragEnterEvent* event)
{
    if (!acceptsDrag(event)) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void AccountListView::dragMoveEvent(QDragMoveEvent* event)
{
    if (!acceptsDrag(event)) {
        event->ignore();
        return;
    }
    m_dropIndicatorRow = dropDestination(event->position().toPoint());
    event->setDropAction(Qt::MoveAction);
    event->accept();
    viewport()->update();
}

void AccountListView::dragLeaveEvent(QDragLeaveEvent* event)
{
    m_dropIndicatorRow = -1;
    viewport()->update();
    QListView::dragLeaveEvent(event);
}

void AccountListView::dropEvent(QDropEvent* event)
{
    m_dropIndicatorRow = -1;
    viewport()->update();
    if (!acceptsDrag(event)) {
        event->ignore();
        return;
    }
    const QList<qsizetype> rows = draggedRows(event->mimeData());
    const qsizetype destination = dropDestination(event->position().toPoint());
    event->setDropAction(Qt::MoveAction);
    event->accept();
    Q_EMIT moveRequested(rows, destination);
}

qsizetype AccountListView::dropDestination(QPoint point) const
{
    const QModelIndex index = indexAt(point);
    if (!index.isValid())
        return model() != nullptr ? model()->rowCount() : 0;
    const QRect rect = visualRect(index);
    return point.y() < rect.center().y() ? index.row() : index.row() + 1;
}

void AccountListView::paintEvent(QPaintEvent* event)
{
    QListView::paintEvent(event);
    if (m_dropIndicatorRow < 0 || model() == nullptr)
        return;
    const int rows = model()->rowCount();
    if (rows == 0)
        return;
    const bool atEnd = m_dropIndicatorRow >= rows;
    const QRect rect = visualRect(model()->index(atEnd ? rows - 1 : static_cast<int>(m_dropIndicatorRow), 0));
    const int y = atEnd ? rect.bottom() : rect.top();
    QPainter painter(viewport());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(accentColor(palette()), 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(rect.left() + 12, y, rect.right() - 12, y);
}

void AccountListView::contextMenuEvent(QContextMenuEvent* event)
{
    const QModelIndex index = indexAt(event->pos());
    if (!index.isValid())
        return;
    setCurrentIndex(index);
    const int row = index.row();
    QMenu menu(this);
    QAction* copy = menu.addAction(appIcon(AppIcon::copy), tr("Copy Code"));
    QAction* showQR = m_qrCodeAvailable ? menu.addAction(tr("Show QR Code")) : nullptr;
    QAction* edit = menu.addAction(tr("Edit…"));
    menu.addSeparator();
    QAction* remove = menu.addAction(appIcon(AppIcon::trash), tr("Delete"));
    QAction* chosen = menu.exec(event->globalPos());
    if (chosen == nullptr)
        return;
    if (chosen == copy)
        Q_EMIT copyRequested(row);
    else if (chosen == showQR)
        Q_EMIT showQRCodeRequested(row);
    else if (chosen == edit)
        Q_EMIT editRequested(row);
    else if (chosen == remove)
        Q_EMIT deleteRequested(row);
}

void AccountListView::keyPressEvent(QKeyEvent* event)
{
    const QModelIndex current = currentIndex();
    if (current.isValid() && selectionModel()->isSelected(current)) {
        if (event->key() == Qt::Key_Delete) {
            Q_EMIT deleteRequested(current.row());
            return;
        }
        if (event->matches(QKeySequence::Copy) || event->key() == Qt::Key_Return ||
            event->key() == Qt::Key_Enter) {
            Q_EMIT copyRequested(current.row());
            return;
        }
        if (event->key() == Qt::Key_Plus) {
            Q_EMIT advanceRequested(current.row());
            return;
        }
    }
    // Ctrl+Up and Ctrl+Down move the current row, the keyboard's way to drag it.
    const auto* rows = qobject_cast<const AccountListModel*>(model());
    const bool moveKey = event->key() == Qt::Key_Up || event->key() == Qt::Key_Down;
    if (current.isValid() && moveKey && event->modifiers() == Qt::ControlModifier) {
        if (rows != nullptr && rows->canReorder()) {
            const int row = current.row();
            if (event->key() == Qt::Key_Up && row > 0)
                Q_EMIT moveRequested({row}, row - 1);
            else if (event->key() == Qt::Key_Down && row + 1 < rows->rowCount())
                Q_EMIT moveRequested({row}, row + 2);
        }
        return;
    }
    QListView::keyPressEvent(event);
}

void AccountListView::mouseMoveEvent(QMouseEvent* event)
{
    QListView::mouseMoveEvent(event);
    if (event->buttons() != Qt::NoButton)
        return;
    const QPoint point = event->position().toPoint();
    const QModelIndex index = indexAt(point);
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (index.isValid()) {
        const QStyleOptionViewItem option = optionFor(index);
        const auto* rows = qobject_cast<const AccountListModel*>(model());
        switch (m_delegate.elementAt(option, index, point)) {
        case AccountRowLayout::Element::code:
        case AccountRowLayout::Element::copy:
        case AccountRowLayout::Element::advance:
            shape = Qt::PointingHandCursor;
            break;
        case AccountRowLayout::Element::handle:
            shape = rows != nullptr && rows->canReorder() ? Qt::OpenHandCursor : Qt::ArrowCursor;
            break;
        case AccountRowLayout::Element::none:
            break;
        }
    }
    viewport()->setCursor(shape);
}

QStyleOptionViewItem AccountListView::optionFor(const QModelIndex& index) const
{
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    return option;
}

QRect AccountListView::elementRect(int row, AccountRowLayout::Element element) const
{
    const auto* rows = qobject_cast<const AccountListModel*>(model());
    if (rows == nullptr || row < 0 || row >= rows->rowCount())
        return {};
    const QModelIndex index = rows->index(row);
    const AccountRowLayout layout = m_delegate.layoutFor(optionFor(index), rows->accountAt(row));
    switch (element) {
    case AccountRowLayout::Element::handle:
        return layout.handle;
    case AccountRowLayout::Element::code:
        return layout.code;
    case AccountRowLayout::Element::advance:
        return layout.ringOrAdvance;
    case AccountRowLayout::Element::copy:
        return layout.copy;
    case AccountRowLayout::Element::none:
        break;
    }
    return {};
}
