// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/tray/tray_icons.h"

#include <QPainter>

// Outside any namespace, as the resource initialiser requires.
static void initTrayResources()
{
    Q_INIT_RESOURCE(tray);
}

namespace {

struct IconNames
{
    const char16_t* theme;
    const char16_t* fallback;
};

IconNames namesFor(TrayGlyph icon)
{
    switch (icon) {
    case TrayGlyph::trayKey:
        return {nullptr, u":/tray/icons/tray-key.svg"};
    case TrayGlyph::chevronUp:
        return {nullptr, u":/tray/icons/chevron-up.svg"};
    case TrayGlyph::chevronDown:
        return {nullptr, u":/tray/icons/chevron-down.svg"};
    case TrayGlyph::openWindow:
        return {u"window-new", u":/tray/icons/open-window.svg"};
    case TrayGlyph::eyeSlash:
        return {nullptr, u":/tray/icons/eye-slash.svg"};
    case TrayGlyph::list:
        return {u"view-list-details", u":/tray/icons/list.svg"};
    case TrayGlyph::gear:
        return {u"preferences-system", u":/tray/icons/gear.svg"};
    case TrayGlyph::textCursor:
        return {nullptr, u":/tray/icons/text-cursor.svg"};
    case TrayGlyph::warning:
        return {nullptr, u":/tray/icons/warning.svg"};
    case TrayGlyph::command:
        return {u"input-keyboard", u":/tray/icons/command.svg"};
    case TrayGlyph::commandCircle:
        return {nullptr, u":/tray/icons/command-circle.svg"};
    case TrayGlyph::keyring:
        return {u"security-high", u":/tray/icons/keyring.svg"};
    }
    return {nullptr, u""};
}

} // namespace

QIcon trayGlyph(TrayGlyph glyph)
{
    // The resources live in a static library; without this call the linker may drop them.
    static const bool resourcesLoaded = (initTrayResources(), true);
    (void)resourcesLoaded;
    const IconNames names = namesFor(glyph);
    const QIcon fallback(QString::fromUtf16(names.fallback));
    if (names.theme == nullptr)
        return fallback;
    return QIcon::fromTheme(QString::fromUtf16(names.theme), fallback);
}

QPixmap tintedTrayPixmap(TrayGlyph icon, QSize size, const QColor& color, qreal devicePixelRatio)
{
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    trayGlyph(icon).paint(&painter, QRect(QPoint(0, 0), size));
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(QRect(QPoint(0, 0), size), color);
    return pixmap;
}
