// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/app_icons.h"

#include <QPainter>

// Outside any namespace, as the resource initialiser requires.
static void initIconResources()
{
    Q_INIT_RESOURCE(main_window);
    Q_INIT_RESOURCE(tray);
    Q_INIT_RESOURCE(add_account);
    Q_INIT_RESOURCE(hotkeys);
}

namespace {

struct IconNames
{
    const char16_t* theme; // null: always our own, its look carries meaning
    const char16_t* fallback;
};

IconNames namesFor(AppIcon icon)
{
    switch (icon) {
    case AppIcon::key:
        return {u"dialog-password", u":/main_window/icons/key.svg"};
    case AppIcon::search:
        return {u"edit-find", u":/main_window/icons/search.svg"};
    case AppIcon::plus:
        return {u"list-add", u":/main_window/icons/plus.svg"};
    case AppIcon::lockShield:
        return {u"security-high", u":/main_window/icons/lock-shield.svg"};
    case AppIcon::advance:
        return {u"view-refresh", u":/main_window/icons/advance.svg"};
    case AppIcon::copy:
        return {u"edit-copy", u":/main_window/icons/copy.svg"};
    case AppIcon::copied:
        return {u"object-select", u":/main_window/icons/copied.svg"};
    case AppIcon::trash:
        return {u"edit-delete", u":/main_window/icons/trash.svg"};
    case AppIcon::dragHandle:
        return {nullptr, u":/main_window/icons/drag-handle.svg"};
    case AppIcon::menu:
        return {u"open-menu", u":/main_window/icons/menu.svg"};
    case AppIcon::application:
        return {u"org.brisvane.Brisvane", u":/main_window/icons/org.brisvane.Brisvane.svg"};
    case AppIcon::trayKey:
        return {nullptr, u":/tray/icons/tray-key.svg"};
    case AppIcon::chevronUp:
        return {nullptr, u":/tray/icons/chevron-up.svg"};
    case AppIcon::chevronDown:
        return {nullptr, u":/tray/icons/chevron-down.svg"};
    case AppIcon::openWindow:
        return {u"window-new", u":/tray/icons/open-window.svg"};
    case AppIcon::eyeSlash:
        return {nullptr, u":/tray/icons/eye-slash.svg"};
    case AppIcon::list:
        return {u"view-list-details", u":/tray/icons/list.svg"};
    case AppIcon::gear:
        return {u"preferences-system", u":/tray/icons/gear.svg"};
    case AppIcon::textCursor:
        return {nullptr, u":/tray/icons/text-cursor.svg"};
    case AppIcon::warning:
        return {nullptr, u":/tray/icons/warning.svg"};
    case AppIcon::keyboard:
        return {u"input-keyboard", u":/tray/icons/keyboard.svg"};
    case AppIcon::keyboardCircle:
        return {nullptr, u":/tray/icons/keyboard-circle.svg"};
    case AppIcon::keyring:
        return {u"security-high", u":/tray/icons/keyring.svg"};
    case AppIcon::scanScreen:
        return {u"view-barcode-qr", u":/add_account/icons/add-account-viewfinder.svg"};
    case AppIcon::imageFile:
        return {u"image-x-generic", u":/add_account/icons/add-account-photo.svg"};
    case AppIcon::pasteLink:
        return {u"insert-link", u":/add_account/icons/add-account-link.svg"};
    case AppIcon::manualEntry:
        return {u"document-edit", u":/add_account/icons/add-account-pencil.svg"};
    case AppIcon::checkCircle:
        return {u"emblem-default", u":/hotkeys/icons/hud-check-circle.svg"};
    }
    return {nullptr, u""};
}

} // namespace

QIcon appIcon(AppIcon icon)
{
    // The resources live in a static library; without this call the linker may drop them.
    static const bool resourcesLoaded = (initIconResources(), true);
    (void)resourcesLoaded;
    const IconNames names = namesFor(icon);
    QIcon fallback(QString::fromUtf16(names.fallback));
    if (names.theme == nullptr)
        return fallback;
    return QIcon::fromTheme(QString::fromUtf16(names.theme), fallback);
}

QPixmap tintedIconPixmap(AppIcon icon, QSize size, const QColor& color, qreal devicePixelRatio)
{
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    appIcon(icon).paint(&painter, QRect(QPoint(0, 0), size));
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(QRect(QPoint(0, 0), size), color);
    return pixmap;
}
