// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/main_window/account_row_layout.h"

#include <QList>
#include <QListView>

class AccountRowDelegate;

// The list of the main window. It reports what the user asks for (copy, delete, a drag move
// as source offsets and a destination offset) and leaves every change to its owner.
class AccountListView : public QListView
{
    Q_OBJECT
public:
    AccountListView(AccountRowDelegate& delegate, QWidget* parent = nullptr);

    // Where a part of a row is drawn, in viewport coordinates; empty for a row not shown.
    QRect elementRect(int row, AccountRowLayout::Element element) const;
    // Whether the context menu offers "Show QR Code" (only when a QR encoder exists).
    void setQRCodeAvailable(bool available) { m_qrCodeAvailable = available; }

Q_SIGNALS:
    void copyRequested(int row);
    // Plus on a row: the next code of a counter-based account.
    void advanceRequested(int row);
    void deleteRequested(int row);
    void showQRCodeRequested(int row);
    void editRequested(int row);
    void moveRequested(const QList<qsizetype>& sourceRows, qsizetype destination);

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // The destination offset for a drop at a point: before the row under it when the point
    // is in the row's upper half, else after it.
    qsizetype dropDestination(QPoint point) const;
    bool acceptsDrag(const QDropEvent* event) const;
    QStyleOptionViewItem optionFor(const QModelIndex& index) const;

    AccountRowDelegate& m_delegate;
    qsizetype m_dropIndicatorRow = -1;
    bool m_qrCodeAvailable = false;
};
