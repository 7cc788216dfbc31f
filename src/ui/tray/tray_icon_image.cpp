// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/tray/tray_icon_image.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int spacing = 4;

QFont codeFontFor(const QFont& font, int height)
{
    QFont code = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    code.setStyleHint(QFont::Monospace);
    code.setFamilies(code.families().isEmpty() ? font.families() : code.families());
    code.setPixelSize(std::max(8, height * 2 / 3));
    code.setWeight(QFont::DemiBold);
    return code;
}

} // namespace

QImage trayIconImage(const QIcon& key, const QString& code, int height, const QFont& font)
{
    height = std::max(height, 8);
    const QFont codeFont = codeFontFor(font, height);
    const int textWidth = code.isEmpty() ? 0 : QFontMetrics(codeFont).horizontalAdvance(code) + 2;
    const int width = height + (code.isEmpty() ? 0 : spacing + textWidth);

    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    key.paint(&painter, QRect(0, 0, height, height));
    if (!code.isEmpty()) {
        // Panels come light and dark: light digits with a dark rim read on both.
        QPainterPath path;
        const QFontMetrics metrics(codeFont);
        const int baseline = (height + metrics.ascent() - metrics.descent()) / 2;
        path.addText(height + spacing + 1, baseline, codeFont, code);
        painter.setPen(QPen(QColor(0x20, 0x20, 0x20, 0xd0), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
        painter.fillPath(path, QColor(0xf2, 0xf2, 0xf2));
    }
    return image;
}
