// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/tray/tray_row.h"

#include <QAbstractButton>

// The clickable part of a tray row: title and subtitle, the code (or its bullets), the
// countdown ring of a time-based account and the copy mark, painted as one button.
class TrayRowCopyButton : public QAbstractButton
{
    Q_OBJECT
public:
    explicit TrayRowCopyButton(QWidget* parent = nullptr);

    void setContent(const TrayRowContent& content);
    // The text in the code position, as drawn.
    QString displayedCode() const { return m_codeText; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TrayRowContent m_content;
    QString m_codeText;
};
