// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QString>
#include <QWidget>

// What the copy panel draws: a green check mark beside a title and a subtitle, on a rounded
// translucent plate with a thin border. Texts too long for one line are elided.
class HUDContent : public QWidget
{
    Q_OBJECT

public:
    HUDContent(const QString& title, const QString& subtitle, QWidget* parent = nullptr);

    const QString& title() const { return m_title; }
    const QString& subtitle() const { return m_subtitle; }

    static constexpr int cornerRadius = 14;
    static constexpr int iconSize = 26;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintIcon(QPainter& painter, const QRect& target) const;

    QString m_title;
    QString m_subtitle;
};
