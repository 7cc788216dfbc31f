// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/account.h"

#include <QWidget>

class QToolButton;
class TrayRowCopyButton;

// What one row of the tray window shows; rebuilt on every refresh.
struct TrayRowContent
{
    Account account;
    Instant now{};
    bool reveal = true;
    bool isCopied = false;
    bool canMoveUp = false;
    bool canMoveDown = false;
};

// One account in the tray window: the up/down column and the clickable code area, with a
// divider along its bottom edge.
class TrayRow : public QWidget
{
    Q_OBJECT
public:
    explicit TrayRow(QWidget* parent = nullptr);

    void setContent(const TrayRowContent& content);
    const TrayRowContent& content() const { return m_content; }

    QToolButton* moveUpButton() const { return m_up; }
    QToolButton* moveDownButton() const { return m_down; }
    TrayRowCopyButton* copyButton() const { return m_copy; }

Q_SIGNALS:
    void copyRequested(const QUuid& accountID);
    void moveUpRequested(const QUuid& accountID);
    void moveDownRequested(const QUuid& accountID);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void updateChevrons();

    TrayRowContent m_content;
    QToolButton* m_up;
    QToolButton* m_down;
    TrayRowCopyButton* m_copy;
};
