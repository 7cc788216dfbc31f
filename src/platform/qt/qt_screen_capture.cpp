// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qt_screen_capture.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

int QtScreenCapture::displayCount() const
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        return 0;
    return int(QGuiApplication::screens().size());
}

QImage QtScreenCapture::captureDisplay(int index)
{
    if (index < 0 || index >= displayCount())
        return {};
    QScreen* screen = QGuiApplication::screens().at(index);
    // Window 0 is the whole display; the grab comes back null where the session refuses it.
    const QPixmap grab = screen->grabWindow(0);
    if (grab.isNull())
        return {};
    return grab.toImage();
}
