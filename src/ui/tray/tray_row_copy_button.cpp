// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/tray/tray_row_copy_button.h"

#include "ui/tray/tray_accounts.h"
#include "ui/widgets/account_presentation.h"
#include "ui/widgets/app_icons.h"
#include "ui/widgets/timer_ring.h"
#include "ui/widgets/ui_colors.h"
#include "ui/widgets/ui_fonts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>

namespace {

constexpr int verticalPadding = 8;
constexpr int rightPadding = 12;
constexpr int spacing = 10;
constexpr int ringSize = 18;
constexpr int markSize = 13;

QFont titleFont(const QFont& body)
{
    QFont font = textStyleFont(body, TextStyle::callout);
    font.setWeight(QFont::DemiBold);
    return font;
}

QFont subtitleFont(const QFont& body)
{
    return textStyleFont(body, TextStyle::caption);
}

QFont rowCodeFont(const QFont& body)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    font.setPointSizeF(textStyleFont(body, TextStyle::body).pointSizeF());
    font.setWeight(QFont::Medium);
    return font;
}

} // namespace

TrayRowCopyButton::TrayRowCopyButton(QWidget* parent) : QAbstractButton(parent)
{
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void TrayRowCopyButton::setContent(const TrayRowContent& content)
{
    const bool shapeChanged = content.account.issuer.isEmpty() != m_content.account.issuer.isEmpty();
    m_content = content;
    // A hidden code is never computed.
    m_codeText =
        content.reveal ? groupedCode(content.account.code(content.now)) : maskedCode(content.account.digits);
    setToolTip(content.reveal ? tr("Click to copy") : tr("Click to copy (code hidden)"));
    setAccessibleName(accountLabel(content.account));
    // Read out only when shown on screen too; a hidden code stays hidden from the screen reader.
    setAccessibleDescription(content.reveal ? tr("Code %1. Click to copy.").arg(spokenCode(m_codeText))
                                            : tr("Code hidden. Click to copy."));
    if (shapeChanged)
        updateGeometry();
    update();
}

QSize TrayRowCopyButton::sizeHint() const
{
    const QFontMetrics title(titleFont(font()));
    const QFontMetrics code(rowCodeFont(font()));
    int textHeight = title.height();
    if (!m_content.account.issuer.isEmpty())
        textHeight += 1 + QFontMetrics(subtitleFont(font())).height();
    const int height = std::max({textHeight, code.height(), ringSize}) + 2 * verticalPadding;
    return {300, height};
}

QSize TrayRowCopyButton::minimumSizeHint() const
{
    return {120, sizeHint().height()};
}

void TrayRowCopyButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    const QRect area = rect().adjusted(0, verticalPadding, -rightPadding, -verticalPadding);

    if (isDown() || underMouse())
        painter.fillRect(rect(), withAlpha(primaryColor(pal), isDown() ? 0.10 : 0.05));

    // Right to left: copy mark, ring, code; the names take what is left.
    int right = area.right() + 1;
    const QRect markRect(right - markSize, area.center().y() - markSize / 2, markSize, markSize);
    const QPixmap mark =
        m_content.isCopied
            ? tintedIconPixmap(AppIcon::copied, markRect.size(), greenColor(), devicePixelRatioF())
            : tintedIconPixmap(AppIcon::copy, markRect.size(), secondaryColor(pal), devicePixelRatioF());
    painter.drawPixmap(markRect.topLeft(), mark);
    right = markRect.left() - spacing;

    if (m_content.account.type == OTPType::totp) {
        const QRect ringRect(right - ringSize, area.center().y() - ringSize / 2, ringSize, ringSize);
        paintTimerRing(painter, ringRect,
                       TimerRing{static_cast<double>(m_content.account.period), m_content.now}, pal);
        right = ringRect.left() - spacing;
    }

    const QFont codeFont = rowCodeFont(font());
    const QFontMetrics codeMetrics(codeFont);
    const int codeWidth = codeMetrics.horizontalAdvance(m_codeText);
    const QRect codeRect(right - codeWidth, area.top(), codeWidth, area.height());
    painter.setFont(codeFont);
    painter.setPen(m_content.reveal ? primaryColor(pal) : secondaryColor(pal));
    painter.drawText(codeRect, Qt::AlignVCenter | Qt::AlignRight, m_codeText);
    right = codeRect.left() - 4;

    const QRect names(area.left(), area.top(), std::max(0, right - area.left()), area.height());
    const QFont titleF = titleFont(font());
    const QFont subtitleF = subtitleFont(font());
    const QFontMetrics titleMetrics(titleF);
    const QFontMetrics subtitleMetrics(subtitleF);
    const QString subtitle = rowSubtitle(m_content.account);
    const int blockHeight = titleMetrics.height() + (subtitle.isEmpty() ? 0 : 1 + subtitleMetrics.height());
    int y = names.top() + (names.height() - blockHeight) / 2;
    painter.setFont(titleF);
    painter.setPen(primaryColor(pal));
    painter.drawText(QRect(names.left(), y, names.width(), titleMetrics.height()),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     titleMetrics.elidedText(rowTitle(m_content.account), Qt::ElideRight, names.width()));
    if (!subtitle.isEmpty()) {
        y += titleMetrics.height() + 1;
        painter.setFont(subtitleF);
        painter.setPen(secondaryColor(pal));
        painter.drawText(QRect(names.left(), y, names.width(), subtitleMetrics.height()),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         subtitleMetrics.elidedText(subtitle, Qt::ElideRight, names.width()));
    }
}
