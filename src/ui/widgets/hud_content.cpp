// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/hud_content.h"

#include "ui/widgets/app_icons.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace {

constexpr int horizontalPadding = 14;
constexpr int iconSpacing = 12;
constexpr int lineSpacing = 2;
const QColor checkGreen(52, 199, 89);

QColor withAlpha(QColor color, double alpha)
{
    color.setAlphaF(static_cast<float>(alpha));
    return color;
}

QFont headlineFont(const QFont& base)
{
    QFont font = base;
    font.setWeight(QFont::DemiBold);
    return font;
}

QFont captionFont(const QFont& base)
{
    QFont font = base;
    if (base.pointSizeF() > 0)
        font.setPointSizeF(base.pointSizeF() * 0.85);
    else
        font.setPixelSize(std::max(8, base.pixelSize() * 85 / 100));
    return font;
}

} // namespace

HUDContent::HUDContent(const QString& title, const QString& subtitle, QWidget* parent)
    : QWidget(parent), m_title(title), m_subtitle(subtitle)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void HUDContent::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    // No blur behind windows here, so the plate is nearly opaque to keep the text readable.
    const QRectF plate = QRectF(rect()).adjusted(0.25, 0.25, -0.25, -0.25);
    painter.setPen(QPen(withAlpha(palette().color(QPalette::WindowText), 0.18), 0.5));
    painter.setBrush(withAlpha(palette().color(QPalette::Window), 0.92));
    painter.drawRoundedRect(plate, cornerRadius, cornerRadius);

    const QRect iconRect(horizontalPadding, (height() - iconSize) / 2, iconSize, iconSize);
    paintIcon(painter, iconRect);

    const QFont titleFont = headlineFont(font());
    const QFont subtitleFont = captionFont(font());
    const QFontMetrics titleMetrics(titleFont);
    const QFontMetrics subtitleMetrics(subtitleFont);
    const int textLeft = iconRect.right() + 1 + iconSpacing;
    const int textWidth = std::max(0, width() - textLeft - horizontalPadding);
    int top = (height() - (titleMetrics.height() + lineSpacing + subtitleMetrics.height())) / 2;

    painter.setFont(titleFont);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(textLeft, top, textWidth, titleMetrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
                     titleMetrics.elidedText(m_title, Qt::ElideRight, textWidth));
    top += titleMetrics.height() + lineSpacing;

    painter.setFont(subtitleFont);
    painter.setPen(withAlpha(palette().color(QPalette::WindowText), 0.6));
    painter.drawText(QRect(textLeft, top, textWidth, subtitleMetrics.height()),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     subtitleMetrics.elidedText(m_subtitle, Qt::ElideRight, textWidth));
}

void HUDContent::paintIcon(QPainter& painter, const QRect& target) const
{
    if (const QIcon icon = appIcon(AppIcon::checkCircle); !icon.isNull()) {
        icon.paint(&painter, target);
        return;
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(checkGreen);
    painter.drawEllipse(target);
}
