// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

bool QtClipboard::setSecretText(const QString& text)
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        return false;
    auto* mime = new QMimeData;
    mime->setText(text);
    // Understood by Klipper and other clipboard managers: do not keep this in the history.
    mime->setData(QStringLiteral("x-kde-passwordManagerHint"), QByteArrayLiteral("secret"));
    QGuiApplication::clipboard()->setMimeData(mime, QClipboard::Clipboard);
    // A Wayland compositor takes the clipboard only from the app that has the focus, and Qt
    // does not report the refusal.
    return !QGuiApplication::platformName().startsWith(u"wayland") ||
           QGuiApplication::focusWindow() != nullptr;
}

QString QtClipboard::text() const
{
    return QGuiApplication::clipboard()->text(QClipboard::Clipboard);
}

void QtClipboard::clear()
{
    QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
}
