// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/app_icons.h"

#include <QPainter>

// Outside any namespace, as the resource initialiser requires.
static void initMainWindowResources()
{
    Q_INIT_RESOURCE(main_window);
}

namespace {

struct IconNames
{
    const char16_t* theme;
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
    case AppIcon::application:
        return {u"org.brisvane.Brisvane", u":/main_window/icons/org.brisvane.Brisvane.svg"};
    }
    return {nullptr, u""};
}

} // namespace

QIcon appIcon(AppIcon icon)
{
    // The resources live in a static library; without this call the linker may drop them.
    static const bool resourcesLoaded = (initMainWindowResources(), true);
    (void)resourcesLoaded;
    const IconNames names = namesFor(icon);
    const QIcon fallback(QString::fromUtf16(names.fallback));
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
